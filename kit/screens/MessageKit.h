#pragma once
#include <vector>

#include "platform/window/ChildMessage.h"
#include "screens/Faces.h"

// The pictures of the messages to the child: one card per kind of message that says it
// without words, and the tick that closes them all.
std::vector<KitPicture> BuildMessages();
// The card of one kind of message, as the program shows it.
KitImage MessageCard(ChildMessage kind);
