#pragma once

namespace store {

// The numbered window messages sent to the main window (WM_USER + 101 to 108); each is
// handled before the send returns. Kept at the bottom of the layers so that the download
// engine, the pages and the shell share one list.
enum class WindowMessage : int {
    DownloadDone = 1125,   // a download has been applied to the tables; not handled
    FirstRetry = 1126,     // 1126 to 1130 after the 1st to 5th failed attempt of a retry loop
    Refresh = 1131,        // RetryFRESH: let the windows repaint during a download
    PersonsChanged = 1132, // ADDUSER_FRESH: the person dialog has saved
};

// The message after failed attempt `attempt` (1 to 5) of a retry loop.
constexpr WindowMessage retryMessage(int attempt) {
    return WindowMessage(int(WindowMessage::FirstRetry) + attempt - 1);
}

} // namespace store
