#pragma once
#include <gtest/gtest.h>

#include "platform/backend/Backend.h"
#include "platform/backend/headless/HeadlessBackend.h"
#include "platform/window/MessageLoop.h"
#include "platform/window/WindowManager.h"

// Every test gets a fresh headless machine and an empty message queue.
class PlatformTest : public ::testing::Test {
  protected:
    void SetUp() override { SetBackend(&backend); }
    void TearDown() override {
        WindowManager::Instance().Reset();
        SetBackend(nullptr);
    }

    // Handles everything queued now, without waiting.
    void Pump() {
        MSG msg;
        while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) break;
            DispatchMessage(&msg);
        }
    }

    HeadlessBackend backend;
};
