#include "ui/tray/notify_record.h"

#include <algorithm>
#include <cstring>

namespace kestrone::ui {

std::uint32_t BalloonInfoFlags(std::uint8_t iconKind) {
    // NIIF_NONE, NIIF_INFO, NIIF_WARNING, NIIF_ERROR, NIIF_USER happen to be 0..4.
    return iconKind <= 4 ? iconKind : 0;
}

NotifyIconRecord::NotifyIconRecord() { Set(notify_field::cbSize, kNotifyRecordSize); }

void NotifyIconRecord::Init(std::uint32_t window, std::uint32_t id) {
    bytes_.fill(0);
    Set(notify_field::cbSize, kNotifyRecordSize);
    Set(notify_field::hWnd, window);
    Set(notify_field::uID, id);
    Set(notify_field::uFlags, kTrayIconFlags);
    Set(notify_field::uCallbackMessage, WM_TRAYNOTIFY);
}

std::uint32_t NotifyIconRecord::Get(std::size_t offset) const {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = (value << 8) | bytes_.at(offset + i);
    return value;
}

void NotifyIconRecord::Set(std::size_t offset, std::uint32_t value) {
    for (std::size_t i = 0; i < 4; ++i) bytes_.at(offset + i) = (value >> (8 * i)) & 0xFF;
}

std::string NotifyIconRecord::Text(std::size_t offset, std::size_t capacity) const {
    const char* start = reinterpret_cast<const char*>(bytes_.data() + offset);
    return std::string(start, strnlen(start, capacity));
}

void NotifyIconRecord::SetText(std::size_t offset, std::size_t capacity, std::string_view text) {
    std::uint8_t* field = bytes_.data() + offset;
    std::memset(field, 0, capacity);
    const std::size_t length = std::min(text.size(), capacity - 1);
    std::memcpy(field, text.data(), length);
}

void NotifyIconRecord::SetTip(std::string_view hint, bool showHint) {
    SetText(notify_field::szTip, notify_field::szTipCapacity, showHint ? hint : "");
}

void NotifyIconRecord::SetBalloon(std::string_view title, std::string_view text,
                                  std::uint8_t iconKind, std::uint8_t timeoutSeconds) {
    Set(notify_field::uFlags, Get(notify_field::uFlags) | kNifInfo);
    SetText(notify_field::szInfo, notify_field::szInfoCapacity, text);
    SetText(notify_field::szInfoTitle, notify_field::szInfoTitleCapacity, title);
    Set(notify_field::uTimeout, std::uint32_t{timeoutSeconds} * 1000);
    Set(notify_field::dwInfoFlags, BalloonInfoFlags(iconKind));
}

void NotifyIconRecord::ClearBalloon() {
    Set(notify_field::uFlags, Get(notify_field::uFlags) | kNifInfo);
    SetText(notify_field::szInfo, notify_field::szInfoCapacity, "");
}

}  // namespace kestrone::ui
