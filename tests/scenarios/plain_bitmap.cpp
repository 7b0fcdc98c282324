// Rewrites a picture of the content tree (plain or scrambled) as a plain BMP file, so the
// scenario checks can read every layer the program reads.
#include <cstdio>

#include "imaging/CDib.h"
#include "platform/window/MessageBox.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: plain_bitmap IN OUT\n");
        return 2;
    }
    SetMessageBoxHandler([](ChildMessage, const std::string& caption) {
        std::fprintf(stderr, "%s\n", caption.c_str());
    });
    CDib picture;
    if (!picture.Load(argv[1]) || !picture.Save(argv[2])) return 1;
    return 0;
}
