#include "AboutWindow.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kartello::gui {

AboutWindow::AboutWindow(const QString& linkTarget, std::function<void(const QString&)> openLink,
                         QWidget* parent)
    : QDialog(parent) {
    setObjectName("Dialog");
    setWindowTitle(QStringLiteral("About"));

    auto* name = new QLabel(QStringLiteral("Kartello"), this);
    name->setObjectName("Label1");
    QFont big = name->font();
    big.setPointSizeF(big.pointSizeF() * 1.8);
    big.setBold(true);
    name->setFont(big);

    auto* version = new QLabel(versionText(), this);
    version->setObjectName("Label2");
    auto* identification =
        new QLabel(QStringLiteral("Places to three-dimensional KML/KMZ graphs for the globe viewer."), this);
    identification->setObjectName("Label3");
    identification->setWordWrap(true);

    // The link is shown as a link but opened by the program itself, so that it
    // goes the same way as "Help" (the desktop's associated application).
    auto* link = new QLabel(this);
    link->setObjectName("Label4");
    link->setTextFormat(Qt::RichText);
    link->setText(QStringLiteral("<a href=\"%1\">%2</a>")
                      .arg(linkTarget.toHtmlEscaped(), QStringLiteral("Kartello user guide")));
    link->setToolTip(linkTarget);
    link->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    link->setOpenExternalLinks(false);
    connect(link, &QLabel::linkActivated, this, [openLink](const QString& target) { openLink(target); });

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName("OKButton");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(name);
    layout->addWidget(version);
    layout->addWidget(identification);
    layout->addWidget(link);
    layout->addSpacing(name->fontMetrics().height() / 2);
    layout->addLayout(buttons);
}

} // namespace kartello::gui
