#pragma once
// A shown control on the offscreen platform, filled with recognisable texts
// ("r,c" in cell (r, c)), with its events counted, for tests that drive it with
// real key, mouse and wheel events.
#include <QAbstractScrollArea>
#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

#include "tessara/Tessara.h"

#include <ostream>

// Readable texts in the failure messages.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace tessara::test {

class ControlTest : public ::testing::Test {
protected:
    void SetUp() override {
        control = std::make_unique<Tessara>();
        control->resize(400, 200);
        fill(8, 3);
        control->setMessageHook([this](const QString& text) { messages << text; });
        QObject::connect(control.get(), &Tessara::CellEdited, [this] {
            edits << QStringLiteral("%1,%2=%3")
                         .arg(control->Row())
                         .arg(control->Col())
                         .arg(control->TextMatrix(control->Row(), control->Col()));
        });
        QObject::connect(control.get(), &Tessara::ErrorMsg,
                         [this](const QString& source, const QString&) { errors << source; });
        control->show();
        QApplication::setActiveWindow(control.get());
        (void)QTest::qWaitForWindowActive(control.get());
        control->SetFocus();
        goTo(1, 1);
    }

    void fill(int rows, int cols) {
        control->setRows(rows);
        control->setCols(cols);
        control->setFixedCols(0);
        control->setFixedRows(1);
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < cols; ++c)
                control->setTextMatrix(r, c, QString::number(r) + QLatin1Char(',') + QString::number(c));
    }
    void goTo(int r, int c) {
        control->setRow(r);
        control->setCol(c);
    }
    QWidget* grid() { return control->grid(); }
    QWidget* viewport() { return static_cast<QAbstractScrollArea*>(control->grid())->viewport(); }
    QLineEdit* edt() { return control->editor(); }
    // The row of column c that holds text, or -1.
    int rowHolding(int c, const QString& text) {
        for (int r = 0; r < control->Rows(); ++r)
            if (c < control->Cols() && control->TextMatrix(r, c) == text)
                return r;
        return -1;
    }

    std::unique_ptr<Tessara> control;
    QStringList messages;
    QStringList edits;  // "row,col=text" of each CellEdited, as the host sees it
    QStringList errors; // ErrorMsg sources
};

} // namespace tessara::test
