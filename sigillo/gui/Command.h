#pragma once

// Sigillo's own button: a vertical gradient, a frame bitmap for each state,
// four focus lines and a centred caption whose "&" marks the access key.

#include "gui/CommandState.h"

#include <QFont>
#include <QTimer>
#include <QVariantMap>
#include <QWidget>

#include <cstdint>

namespace sigillo {

class Command : public QWidget {
    Q_OBJECT
public:
    explicit Command(QWidget* parent = nullptr);

    QString Caption() const { return caption_; }
    void SetCaption(const QString& New_Caption);
    bool Enabled() const;
    void SetEnabled(bool New_Enabled);
    QFont Font() const { return font(); }
    void SetFont(const QFont& New_Font);
    std::uint32_t FontColour() const { return fontColour_; }
    void SetFontColour(std::uint32_t New_FontColour);
    std::uint8_t Visible() const { return isVisibleTo(parentWidget()) ? 1 : 0; }
    void SetVisible(std::uint8_t New_Visible);

    // Puts the button in its normal state and starts the hover timer.
    void Initialize();

    // Persisted properties, by their keys; a value equal to its default is not
    // written, and an absent key reads as its default.
    void ReadProperties(const QVariantMap& bag);
    QVariantMap WriteProperties() const;

    CommandState::State state() const { return state_.state(); }
    CommandLook look() const { return look_; }
    std::uint8_t firstRun() const { return firstRun_; }
    const QTimer& mouseTimer() const { return TmrMouse; }

    QSize sizeHint() const override { return {120, 30}; }

signals:
    void Click();
    // Reports a property set through its Let, by its key name.
    void PropertyChanged(const QString& key);

protected:
    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void enterEvent(QEnterEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    void Repaint();
    void Apply(const CommandState::Reaction& reaction);
    void TimerTick();
    bool PointerIsOverControl() const;
    void GrabAccessKey();
    QColor TextColour() const;

    mutable std::uint8_t firstRun_ = 0;
    CommandState state_;
    QString caption_;
    std::uint32_t fontColour_ = 0;
    CommandLook look_ = CommandLook::Normal;
    QTimer TmrMouse;
    int accessKeyId_ = 0;
};

} // namespace sigillo
