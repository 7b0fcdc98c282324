// A fresh copy of the generated content tree for each test, the program's working
// directory inside it, and the headless backend with its sound record.
#pragma once
#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "imaging/CCursor.h"
#include "imaging/CDIBPal.h"
#include "models/CGlimBook.h"
#include "models/CGlimScrapbook.h"
#include "painting/CGlimBrush.h"
#include "platform/backend/Backend.h"
#include "platform/backend/headless/HeadlessBackend.h"
#include "platform/window/MessageBox.h"
#include "platform/window/MessageLoop.h"
#include "platform/window/WindowManager.h"
#include "sound/CBasicSound.h"

namespace fs = std::filesystem;

class HubFixture : public ::testing::Test {
  protected:
    // Slot 0 is the scribble pad; the story books follow it.
    static constexpr int kShelfSize = 10;

    void SetUp() override {
        const fs::path content = fs::path(TALEWICK_BINARY_DIR) / "content";
        if (!fs::exists(content / "books" / "books.txt"))
            GTEST_SKIP() << "the content tree is not generated";
        root = fs::temp_directory_path() /
               ("talewick-hub-" + std::to_string(getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root);
        fs::copy(content, root, fs::copy_options::recursive);
        previousDir = fs::current_path();
        fs::current_path(root / "play");
        WindowManager::Instance().Reset();
        backend.InstallAudio();
        previousBackend = SetBackend(&backend);
        previousHandler = SetMessageBoxHandler(
            [this](ChildMessage, const std::string& text) { messages.push_back(text); });
        CBasicSound::SetSoundOn(true);
        palette.CreateColourCube();
        click.Load("../sounds/click.wav");
        ASSERT_TRUE(shelf[0].Load("../books/scribble/", "scribble.txt"));
        ASSERT_TRUE(shelf[1].Load("../books/pip/", "pip.txt"));
        LoadScrapbook();
    }

    void TearDown() override {
        if (root.empty()) return;
        backend.SetIdleHook(nullptr);
        WindowManager::Instance().Reset();
        SetMessageBoxHandler(previousHandler);
        SetBackend(previousBackend);
        CBasicSound::SetSoundOn(true);
        fs::current_path(previousDir);
        fs::remove_all(root);
    }

    void LoadScrapbook(int bookCount = 1) {
        ASSERT_TRUE(scrapbook.Load("../books/scrapbook/", "scrapbook.txt"));
        scrapbook.LinkToBooks(shelf.data(), bookCount + 1);
    }

    // Saves scene `scene` of the story book as a new scrapbook entry.
    int AddEntry(int scene) {
        CGlimImage* image = shelf[1].GetImage(scene);
        if (image == nullptr || !image->EnsureCanvas()) return -1;
        const int index = scrapbook.AddEntry(image, &shelf[1]);
        image->ReleaseAll();
        return index;
    }

    // Sounds played since the test began, by file name.
    std::vector<std::string> SoundsPlayed() const {
        std::vector<std::string> labels;
        for (const auto& play : backend.Audio()->GetRecord())
            if (!play.refused) labels.push_back(fs::path(play.label).filename().string());
        return labels;
    }
    int CountSound(const std::string& name) const {
        int count = 0;
        for (const std::string& label : SoundsPlayed()) count += label == name ? 1 : 0;
        return count;
    }

    // Runs `actions` one at a time whenever the program's loop runs out of work.
    void Script(std::vector<std::function<void()>> actions) {
        steps = std::move(actions);
        next = 0;
        backend.SetIdleHook([this] {
            if (next >= steps.size()) return false;
            steps[next++]();
            return true;
        });
    }

    static void Command(CWnd& window, int id) {
        window.SendMessage(WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), BN_CLICKED));
    }

    fs::path root;
    fs::path previousDir;
    mutable HeadlessBackend backend;
    Backend* previousBackend = nullptr;
    MessageBoxHandler previousHandler;
    std::vector<std::string> messages;
    CDIBPal palette;
    CCursor cursor;
    CBasicSound click;
    std::array<CGlimBook, kShelfSize> shelf;
    CGlimScrapbook scrapbook;
    std::vector<std::function<void()>> steps;
    std::size_t next = 0;
};
