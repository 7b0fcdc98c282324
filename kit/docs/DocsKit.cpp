#include "docs/DocsKit.h"

#include "KitImage.h"
#include "resources/ContentPaths.h"
#include "sounds/WaveFile.h"

#ifndef TALEWICK_KIT_SOURCE_DIR
#define TALEWICK_KIT_SOURCE_DIR "kit"
#endif

std::string ReadKitData(const std::string& name) {
    std::vector<std::uint8_t> bytes;
    if (!ReadFileBytes(std::string(TALEWICK_KIT_SOURCE_DIR) + "/data/" + name, bytes)) return "";
    return std::string(bytes.begin(), bytes.end());
}

std::string CreditsText() {
    std::string text = ReadKitData("credits.txt");
    return text.empty() ? "Talewick" : text;
}

void AddDocJobs(const std::string& contentDir, std::vector<KitJob>& jobs) {
    const std::string guide(ContentPaths::InTree(ContentPaths::kLearningGuide));
    jobs.push_back({guide, [contentDir, guide] {
                        const std::string text = ReadKitData("extlearn.rtf");
                        return !text.empty() && WriteTextFile(contentDir + "/" + guide, text);
                    }});
}
