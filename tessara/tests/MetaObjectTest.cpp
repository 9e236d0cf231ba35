// Hosts that bind by name at run time reach the members through Qt's meta-object system.
#include <QMetaMethod>
#include <QMetaProperty>
#include <QSignalSpy>
#include <gtest/gtest.h>

#include "tessara/Identity.h"
#include "tessara/Tessara.h"

using namespace tessara;

TEST(MetaObject, PropertiesAreReachableByTheirNames) {
    Tessara control;
    EXPECT_TRUE(control.setProperty("Rows", 6));
    EXPECT_TRUE(control.setProperty("Cols", 4));
    EXPECT_TRUE(control.setProperty("FixedCols", 0));
    EXPECT_TRUE(control.setProperty("Redraw", true));
    EXPECT_EQ(control.property("Rows").toInt(), 6);
    EXPECT_EQ(control.Cols(), 4);
    EXPECT_EQ(control.property("Version").toString(), QStringLiteral("1.01"));
    EXPECT_EQ(control.property("CellNoEdit").toUInt(), 0x80000016u);
    EXPECT_EQ(control.property("CantEdit").toString(), QStringLiteral("Can't edit that cell"));
    for (const auto& member : identity::kMembers) {
        const QByteArray name(member.name.data(), qsizetype(member.name.size()));
        const bool isProperty = control.metaObject()->indexOfProperty(name) >= 0;
        bool isMethod = false;
        for (int i = 0; i < control.metaObject()->methodCount(); ++i)
            isMethod |= control.metaObject()->method(i).name() == name;
        EXPECT_TRUE(isProperty || isMethod) << member.name;
    }
}

TEST(MetaObject, MethodsAndIndexedPropertiesAreInvokableByName) {
    Tessara control;
    control.setRows(4);
    control.setCols(3);
    ASSERT_TRUE(QMetaObject::invokeMethod(&control, "setTextMatrix", Q_ARG(int, 2), Q_ARG(int, 1),
                                          Q_ARG(QString, QStringLiteral("x"))));
    QString text;
    ASSERT_TRUE(QMetaObject::invokeMethod(&control, "TextMatrix", Q_RETURN_ARG(QString, text), Q_ARG(int, 2),
                                          Q_ARG(int, 1)));
    EXPECT_EQ(text, QStringLiteral("x"));
    int height = 0;
    ASSERT_TRUE(QMetaObject::invokeMethod(&control, "RowHeight", Q_RETURN_ARG(int, height), Q_ARG(int, 0)));
    EXPECT_EQ(height, kDefaultRowHeight);
    ASSERT_TRUE(QMetaObject::invokeMethod(&control, "DeleteRows", Q_ARG(int, 1), Q_ARG(int, 1)));
    EXPECT_EQ(control.Rows(), 3);
    ASSERT_TRUE(
        QMetaObject::invokeMethod(&control, "AutoColWidth", Q_ARG(int, 1), Q_ARG(int, 2500), Q_ARG(int, 0)));
    EXPECT_EQ(control.ColWidth(1), 2500);
}

TEST(MetaObject, EventsAreTheFirstSignalsInTheirInterfaceOrder) {
    Tessara control;
    const QMetaObject* meta = control.metaObject();
    QStringList signalNames;
    for (int i = meta->methodOffset(); i < meta->methodCount(); ++i)
        if (meta->method(i).methodType() == QMetaMethod::Signal)
            signalNames << QString::fromLatin1(meta->method(i).name());
    QStringList expected;
    for (const auto& event : identity::kEvents)
        expected << QString::fromLatin1(event.name.data(), qsizetype(event.name.size()));
    // The change notifications of the properties follow the events.
    EXPECT_EQ(signalNames.mid(0, expected.size()), expected);
}

TEST(Identity, KeepsTheIdentifiersOfTheControl) {
    EXPECT_EQ(identity::kProgId, "TessaraOcx.Tessara");
    EXPECT_EQ(identity::kClassId, "{EAAF7467-B3FD-4CA7-8D66-7A4E6C1D2DC6}");
    EXPECT_EQ(identity::dispIdOf("TextMatrix"), 0x68030000u);
    EXPECT_EQ(identity::dispIdOf("Paste"), 0x6003004Bu);
    EXPECT_EQ(identity::dispIdOf("Version"), 0x6803002Bu);
    EXPECT_EQ(identity::dispIdOf("ErrorMsg"), 13u);
    EXPECT_EQ(identity::dispIdOf("Nothing"), 0u);
}

TEST(MetaObject, ValueFormsTakePlainArgumentsInCodeAndByName) {
    Tessara control;
    control.setRows(7);
    control.setCols(3);
    control.SetColWidth(1, 1500, 0, 0);
    EXPECT_EQ(control.ColWidth(1), 1500);
    control.setTextMatrix(5, 0, QStringLiteral("five"));
    control.MoveRows(5, 5, 4);
    EXPECT_EQ(control.TextMatrix(4, 0), QStringLiteral("five"));
    control.setRow(1);
    control.setCol(0);
    control.Paste(QStringLiteral("p"));
    EXPECT_EQ(control.TextMatrix(1, 0), QStringLiteral("p"));

    ASSERT_TRUE(QMetaObject::invokeMethod(&control, "SetColWidth", Q_ARG(int, 2), Q_ARG(int, 500),
                                          Q_ARG(int, 1000), Q_ARG(int, 0)));
    EXPECT_EQ(control.ColWidth(2), 1000);
    ASSERT_TRUE(QMetaObject::invokeMethod(&control, "MoveRows", Q_ARG(int, 4), Q_ARG(int, 4), Q_ARG(int, 6)));
    EXPECT_EQ(control.TextMatrix(6, 0), QStringLiteral("five"));
    control.setRow(2);
    ASSERT_TRUE(QMetaObject::invokeMethod(&control, "Paste", Q_ARG(QString, QStringLiteral("q\tr"))));
    EXPECT_EQ(control.TextMatrix(2, 1), QStringLiteral("r"));
}

TEST(MetaObject, ColoursAreSetAsOleValuesOrAsQtColours) {
    Tessara control;
    control.setBackColor(Qt::red);
    EXPECT_EQ(control.BackColor(), 0x000000FFu);
    control.setGridColor(QColor(0x10, 0x20, 0x30));
    EXPECT_EQ(control.GridColor(), 0x00302010u);
    control.setForeColor(kSysHighlight);
    EXPECT_EQ(control.ForeColor(), 0x8000000Du);
    control.setCellNoEdit(QColor(Qt::gray));
    EXPECT_EQ(control.CellNoEdit(), colorToOle(QColor(Qt::gray)));
}

TEST(MetaObject, EveryWritablePropertyAnnouncesItsChanges) {
    Tessara control;
    const QMetaObject* meta = control.metaObject();
    for (int i = meta->propertyOffset(); i < meta->propertyCount(); ++i) {
        const QMetaProperty property = meta->property(i);
        EXPECT_TRUE(property.hasNotifySignal() || property.isConstant()) << property.name();
    }
    const struct {
        const char* property;
        QVariant value;
    } cases[] = {{"Rows", 9},
                 {"Cols", 5},
                 {"FixedRows", 2},
                 {"Row", 3},
                 {"RowSel", 4},
                 {"Text", "t"},
                 {"BackColor", 255u},
                 {"Redraw", false},
                 {"CantEdit", "no"},
                 {"CellNoEdit", 1u},
                 {"Font", QFont(QStringLiteral("Serif"))}};
    for (const auto& c : cases) {
        const QMetaProperty property = meta->property(meta->indexOfProperty(c.property));
        QSignalSpy spy(&control, property.notifySignal());
        ASSERT_TRUE(control.setProperty(c.property, c.value)) << c.property;
        EXPECT_GE(spy.count(), 1) << c.property;
    }
}
