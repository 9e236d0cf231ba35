#pragma once

#include <QDialog>
#include <functional>

namespace kartello::gui {

// The About window "Dialog": program name, version, an identification line and
// a link to the user guide, opened the same way as "Help".
class AboutWindow : public QDialog {
    Q_OBJECT
public:
    // openLink receives the link target when the person clicks it.
    AboutWindow(const QString& linkTarget, std::function<void(const QString&)> openLink,
                QWidget* parent = nullptr);

    static QString versionText() { return QStringLiteral("v 2.2.2"); }
};

} // namespace kartello::gui
