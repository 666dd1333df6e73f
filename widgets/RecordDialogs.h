// The dialogs of game records that both windows show, and the error box. Their titles, filters and default
// extension are defined here once. A window talks to them through an interface built on IRecordDialogs, so
// that tests can answer in place of the user.
#pragma once

#include <optional>
#include <string>

class QMimeData;
class QWidget;

namespace kalvoro::widgets {

// The save dialog of game records, "Kalvoro Dialog (Save)": starts in `folder` (the current folder when
// empty) with `name` preset, adds ".KVR" to a name typed without extension and asks before replacing a
// file. Nothing when the user cancels.
std::optional<std::string> AskRecordSavePath(
    QWidget* parent, const std::string& folder, const std::string& name);
// The open dialog of game records, "Kalvoro Dialog (Open)": starts in `folder` with `name` preset (none when
// empty) and accepts only an existing file.
std::optional<std::string> AskRecordOpenPath(
    QWidget* parent, const std::string& folder, const std::string& name);
// The path of the one local game record (a name ending in ".kvr" in any case) that `data` carries, as a file
// dragged onto a window; nothing for anything else.
std::optional<std::string> DroppedRecordPath(const QMimeData* data);
// An error box with the program's name as its caption.
void ShowErrorBox(QWidget* parent, const std::string& message);

class IRecordDialogs {
public:
    virtual ~IRecordDialogs() = default;
    virtual std::optional<std::string> AskSavePath(const std::string& folder, const std::string& name) = 0;
    virtual std::optional<std::string> AskOpenPath(const std::string& folder, const std::string& name) = 0;
    virtual void ShowError(const std::string& message) = 0;
};

// The real record dialogs and error box over `parent`, as the base of a window's real dialogs:
// `IWindowDialogs` is IRecordDialogs or an interface built on it.
template <class IWindowDialogs> class TStandardRecordDialogs : public IWindowDialogs {
public:
    explicit TStandardRecordDialogs(QWidget* parentWindow)
        : parent(parentWindow)
    {
    }
    std::optional<std::string> AskSavePath(const std::string& folder, const std::string& name) override
    {
        return AskRecordSavePath(parent, folder, name);
    }
    std::optional<std::string> AskOpenPath(const std::string& folder, const std::string& name) override
    {
        return AskRecordOpenPath(parent, folder, name);
    }
    void ShowError(const std::string& message) override { ShowErrorBox(parent, message); }

protected:
    QWidget* Parent() const { return parent; }

private:
    QWidget* parent;
};

} // namespace kalvoro::widgets
