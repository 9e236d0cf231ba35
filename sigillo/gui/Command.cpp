#include "gui/Command.h"

#include "gui/CommandLooks.h"

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcutEvent>

namespace sigillo {
namespace {

constexpr int kHoverIntervalMs = 100;
constexpr int kFocusInset = 3;

// Colours are kept as the classic 0x00BBGGRR value.
QColor FromBgr(std::uint32_t bgr) {
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

CommandMouseButton ButtonOf(Qt::MouseButton button) {
    if (button == Qt::LeftButton)
        return CommandMouseButton::Left;
    if (button == Qt::RightButton)
        return CommandMouseButton::Right;
    return CommandMouseButton::Middle;
}

} // namespace

Command::Command(QWidget* parent) : QWidget(parent), caption_(QStringLiteral("Command")) {
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    TmrMouse.setInterval(kHoverIntervalMs);
    connect(&TmrMouse, &QTimer::timeout, this, &Command::TimerTick);
    GrabAccessKey();
}

void Command::SetCaption(const QString& New_Caption) {
    caption_ = New_Caption;
    GrabAccessKey();
    emit PropertyChanged(QStringLiteral("Caption"));
    Repaint();
}

bool Command::Enabled() const {
    firstRun_ = 1;
    return state_.enabled();
}

void Command::SetEnabled(bool New_Enabled) {
    state_.setEnabled(New_Enabled);
    // A disabled button takes neither the focus nor the mouse.
    setFocusPolicy(New_Enabled ? Qt::StrongFocus : Qt::NoFocus);
    emit PropertyChanged(QStringLiteral("Enabled"));
    Repaint();
}

void Command::SetFont(const QFont& New_Font) {
    setFont(New_Font);
    emit PropertyChanged(QStringLiteral("Font"));
    Repaint();
}

void Command::SetFontColour(std::uint32_t New_FontColour) {
    fontColour_ = New_FontColour;
    emit PropertyChanged(QStringLiteral("FontColour"));
    Repaint();
}

void Command::SetVisible(std::uint8_t New_Visible) {
    setVisible(New_Visible != 0);
    emit PropertyChanged(QStringLiteral("Visible"));
    Repaint();
}

void Command::Initialize() {
    state_.Initialize();
    TmrMouse.start();
}

void Command::ReadProperties(const QVariantMap& bag) {
    state_.setEnabled(bag.value(QStringLiteral("Enabled"), true).toBool());
    setFocusPolicy(state_.enabled() ? Qt::StrongFocus : Qt::NoFocus);
    caption_ = bag.value(QStringLiteral("Caption"), QStringLiteral("Command1")).toString();
    const QVariant font = bag.value(QStringLiteral("Font"));
    if (font.canConvert<QFont>())
        setFont(font.value<QFont>());
    firstRun_ = static_cast<std::uint8_t>(bag.value(QStringLiteral("FirstRun"), 1).toUInt());
    fontColour_ = bag.value(QStringLiteral("FontColour"), 0u).toUInt();
    setVisible(bag.value(QStringLiteral("Visible"), 1).toInt() != 0);
    GrabAccessKey();
    Repaint();
}

QVariantMap Command::WriteProperties() const {
    QVariantMap bag;
    if (!state_.enabled())
        bag.insert(QStringLiteral("Enabled"), false);
    if (caption_ != QStringLiteral("Command"))
        bag.insert(QStringLiteral("Caption"), caption_);
    if (parentWidget() == nullptr || font() != parentWidget()->font())
        bag.insert(QStringLiteral("Font"), font());
    if (firstRun_ != 1)
        bag.insert(QStringLiteral("FirstRun"), firstRun_);
    if (fontColour_ != 0)
        bag.insert(QStringLiteral("FontColour"), fontColour_);
    if (Visible() != 1)
        bag.insert(QStringLiteral("Visible"), Visible());
    return bag;
}

void Command::Repaint() {
    look_ = state_.Repaint();
    update();
}

void Command::Apply(const CommandState::Reaction& reaction) {
    if (reaction.look) {
        look_ = *reaction.look;
        update();
    }
    if (reaction.click)
        emit Click();
}

bool Command::PointerIsOverControl() const {
    const QPoint global = QCursor::pos();
    return QApplication::widgetAt(global) == this && rect().contains(mapFromGlobal(global));
}

void Command::TimerTick() {
    Apply(state_.TimerTick(PointerIsOverControl()));
}

// The access key is the character after the first "&" of the caption.
void Command::GrabAccessKey() {
    if (accessKeyId_ != 0) {
        releaseShortcut(accessKeyId_);
        accessKeyId_ = 0;
    }
    const qsizetype amp = caption_.indexOf(QLatin1Char('&'));
    if (amp < 0 || amp + 1 >= caption_.size())
        return;
    accessKeyId_ = grabShortcut(QKeySequence::mnemonic(QStringLiteral("&") + caption_.at(amp + 1)));
}

bool Command::event(QEvent* e) {
    if (e->type() == QEvent::Shortcut) {
        auto* shortcut = static_cast<QShortcutEvent*>(e);
        if (shortcut->shortcutId() == accessKeyId_ && state_.enabled()) {
            setFocus(Qt::ShortcutFocusReason);
            Apply(state_.AccessKey());
            return true;
        }
    }
    return QWidget::event(e);
}

// A button that appears under a resting pointer (a tab switched to it) is
// entered without any move; the entry counts as the move over the control.
void Command::enterEvent(QEnterEvent*) {
    Apply(state_.MouseMove());
}

// Space or Enter on the focused button clicks it, as its access key does.
void Command::keyPressEvent(QKeyEvent* e) {
    const int key = e->key();
    if ((key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) && state_.enabled() &&
        !e->isAutoRepeat()) {
        Apply(state_.AccessKey());
        return;
    }
    QWidget::keyPressEvent(e);
}

void Command::mouseMoveEvent(QMouseEvent*) {
    Apply(state_.MouseMove());
}

void Command::mousePressEvent(QMouseEvent* e) {
    Apply(state_.MousePress(ButtonOf(e->button())));
}

void Command::mouseReleaseEvent(QMouseEvent* e) {
    Apply(state_.MouseRelease(ButtonOf(e->button())));
}

void Command::focusInEvent(QFocusEvent*) {
    Apply(state_.FocusIn());
}

void Command::focusOutEvent(QFocusEvent*) {
    Apply(state_.FocusOut());
}

void Command::resizeEvent(QResizeEvent*) {
    Repaint();
}

QColor Command::TextColour() const {
    return state_.enabled() ? FromBgr(fontColour_) : FromBgr(0xC0C0C0);
}

void Command::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect area = rect();

    QColor top(0xFF, 0xFF, 0xFF);
    QColor bottom(0xC6, 0xC5, 0xD7);
    if (state_.ReversedForPaint())
        std::swap(top, bottom);
    QLinearGradient gradient(area.topLeft(), area.bottomLeft());
    gradient.setColorAt(0, top);
    gradient.setColorAt(1, bottom);
    painter.fillRect(area, gradient);

    PaintCommandFrame(painter, area, CommandBitmap(look_));

    if (state_.ShowsFocusLines()) {
        painter.setPen(QPen(QColor(0x50, 0x50, 0x60), 1, Qt::DotLine));
        const QRect focus = area.adjusted(kFocusInset, kFocusInset, -kFocusInset - 1, -kFocusInset - 1);
        painter.drawLine(focus.topLeft(), focus.topRight());
        painter.drawLine(focus.bottomLeft(), focus.bottomRight());
        painter.drawLine(focus.topLeft(), focus.bottomLeft());
        painter.drawLine(focus.topRight(), focus.bottomRight());
    }

    // Measured first with word-break so that a wrapped caption is still
    // centred vertically as a whole.
    const int flags = Qt::AlignHCenter | Qt::TextWordWrap | Qt::TextShowMnemonic;
    const QRect measured = painter.fontMetrics().boundingRect(area, flags, caption_);
    QRect textArea = area;
    textArea.setTop(area.top() + (area.height() - measured.height()) / 2);
    painter.setPen(TextColour());
    painter.drawText(textArea, flags, caption_);
}

} // namespace sigillo
