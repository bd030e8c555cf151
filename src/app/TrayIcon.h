#pragma once
// tiTSL: the program's icon in the notification area.
namespace orv {

class TrayIcon {
public:
    virtual ~TrayIcon() = default;
};

} // namespace orv
