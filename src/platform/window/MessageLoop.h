#pragma once
// The program's one thread: its clock, its message queue and the input state that goes with it.
#include "platform/base/CPoint.h"
#include "platform/base/WinTypes.h"
#include "platform/base/WinUser.h"

class CWnd;

// Milliseconds since the program started (the backend's clock: real or virtual).
DWORD GetTickCount();
// Blocks for `ms` milliseconds (on the headless backend the virtual clock advances at once).
void Sleep(DWORD ms);

// Whether a key is down: the high bit (a negative result) when it is. GetKeyState answers
// as of the input message handled last (what the user held when doing what is being
// handled); GetAsyncKeyState answers as of now. Only VK_SHIFT and VK_CONTROL are tracked.
SHORT GetKeyState(int virtualKey);
SHORT GetAsyncKeyState(int virtualKey);

// The message queue of the program's one thread.
BOOL PeekMessage(MSG* msg, HWND window, UINT first, UINT last, UINT remove);
// Waits for the next message; FALSE when it is WM_QUIT.
BOOL GetMessage(MSG* msg, HWND window, UINT first, UINT last);
BOOL TranslateMessage(const MSG* msg);
LRESULT DispatchMessage(const MSG* msg);
// Blocks until something may be queued (input, a due timer).
void WaitMessage();
void PostQuitMessage(int exitCode);
BOOL ReleaseCapture();
// The top-level window that receives keyboard input.
CWnd* GetActiveWindow();
// The window at a screen point that would receive a click there; null over nothing.
CWnd* WindowFromPoint(CPoint screenPoint);
