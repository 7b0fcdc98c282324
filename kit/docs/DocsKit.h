#pragma once
#include <string>
#include <vector>

#include "check/KitJob.h"

// The kit's text: files kept in kit/data, read at generation time.
std::string ReadKitData(const std::string& name);
// The credits shown on the credits picture.
std::string CreditsText();
// Writes "extlearn.wri", the learning-extensions guide for parents, as RTF (opened by
// LibreOffice Writer, AbiWord and most word processors on a Linux desktop).
void AddDocJobs(const std::string& contentDir, std::vector<KitJob>& jobs);
