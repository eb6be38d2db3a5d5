// The shell's notification-area record in its version-2 ANSI layout (488
// bytes, handed to Shell_NotifyIconA as it stands) and the rules that fill it:
// the tip and balloon cuts, the balloon icon flags and the flag word.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace kestrone::ui {

inline constexpr std::size_t kNotifyRecordSize = 488;

// Field offsets and text capacities (capacity includes the terminating zero).
namespace notify_field {
inline constexpr std::size_t cbSize = 0;
inline constexpr std::size_t hWnd = 4;
inline constexpr std::size_t uID = 8;
inline constexpr std::size_t uFlags = 12;
inline constexpr std::size_t uCallbackMessage = 16;
inline constexpr std::size_t hIcon = 20;
inline constexpr std::size_t szTip = 24;
inline constexpr std::size_t szTipCapacity = 128;
inline constexpr std::size_t dwState = 152;
inline constexpr std::size_t dwStateMask = 156;
inline constexpr std::size_t szInfo = 160;
inline constexpr std::size_t szInfoCapacity = 256;
inline constexpr std::size_t uTimeout = 416;  // also uVersion
inline constexpr std::size_t szInfoTitle = 420;
inline constexpr std::size_t szInfoTitleCapacity = 64;
inline constexpr std::size_t dwInfoFlags = 484;
}  // namespace notify_field

inline constexpr std::uint32_t kNifMessage = 0x01;
inline constexpr std::uint32_t kNifIcon = 0x02;
inline constexpr std::uint32_t kNifTip = 0x04;
inline constexpr std::uint32_t kNifInfo = 0x10;
inline constexpr std::uint32_t kTrayIconFlags = kNifMessage | kNifIcon | kNifTip;  // 7
inline constexpr std::uint32_t WM_TRAYNOTIFY = 0x800;

// Shell_NotifyIconA commands.
inline constexpr std::uint32_t kNimAdd = 0;
inline constexpr std::uint32_t kNimModify = 1;
inline constexpr std::uint32_t kNimDelete = 2;
inline constexpr std::uint32_t kNimSetVersion = 4;

// Balloon icon kind (0 none, 1 info, 2 warning, 3 error, 4 user) to
// dwInfoFlags. Kinds outside the table give no icon instead of reading past it.
std::uint32_t BalloonInfoFlags(std::uint8_t iconKind);

class NotifyIconRecord {
public:
    NotifyIconRecord();  // zero-filled, cbSize 488

    // cbSize, the notification window, the icon's id, flags 7 and WM_TRAYNOTIFY.
    void Init(std::uint32_t window, std::uint32_t id);

    std::uint32_t Get(std::size_t offset) const;
    void Set(std::size_t offset, std::uint32_t value);
    // A zero-terminated text field, read back up to its first zero.
    std::string Text(std::size_t offset, std::size_t capacity) const;
    // Writes text cut to capacity - 1 characters; the rest of the field is zeroed.
    void SetText(std::size_t offset, std::size_t capacity, std::string_view text);

    // szTip: the hint, or all zero when there is none or hints are off.
    void SetTip(std::string_view hint, bool showHint);
    // Adds NIF_INFO and fills the balloon fields (text 255, title 63 characters).
    void SetBalloon(std::string_view title, std::string_view text, std::uint8_t iconKind,
                    std::uint8_t timeoutSeconds);
    // Adds NIF_INFO with an empty balloon text, which removes a shown balloon.
    void ClearBalloon();
    // Back to the plain flag word once a balloon call has been made.
    void EndBalloonCall() { Set(notify_field::uFlags, kTrayIconFlags); }

    void* data() { return bytes_.data(); }
    const void* data() const { return bytes_.data(); }
    static constexpr std::size_t size() { return kNotifyRecordSize; }

private:
    std::array<std::uint8_t, kNotifyRecordSize> bytes_{};
};

}  // namespace kestrone::ui
