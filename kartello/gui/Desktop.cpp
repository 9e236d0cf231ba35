#include "Desktop.h"
#include "form/ControlNames.h"

#include "DecimalGuard.h"
#include "MainWindow.h"
#include "QtUi.h"
#include "StartGuard.h"

#include "graph/ArcSinLink.h"
#include "graph/Colors.h"
#include "graph/GraphState.h"
#include "graph/Overlays.h"
#include "session/Main.h"
#include "session/MakeGraph.h"
#include "session/OptionsFile.h"
#include "session/OptionsSettings.h"

#include <QApplication>
#include <QDir>
#include <QScreen>
#include <tessara/Tessara.h>

namespace kartello::gui {
namespace {

TitleSpec titleSpecOf(const FormModel& form) {
    TitleSpec spec;
    spec.line1 = form.text(ctl::Text1_0);
    spec.line2 = form.text(ctl::Text1_1);
    spec.font = form.titleFont();
    spec.textColor = form.backColor(ctl::Picture1_2);
    spec.backColor = form.backColor(ctl::Picture1_3);
    return spec;
}

QVector<Rgb> presetColors(int preset) {
    ColorTable table{};
    InicolorScale(preset, table);
    return QVector<Rgb>(table.begin(), table.end());
}

// comCustomColor: the blend from the dark box to the light one becomes the
// colour scale, and the custom scale is the one chosen.
std::optional<QVector<Rgb>> customScale(Main& main, GraphState& state) {
    if (!customColorScale(main.form, main.ui, state))
        return std::nullopt;
    return QVector<Rgb>(state.colorScale.begin(), state.colorScale.end());
}

} // namespace

MainCommands sessionCommands(Main& main, GraphState& state) {
    MainCommands c;
    c.menuNew = [&main] {
        main.menuNew();
    };
    c.openFile = [&main] {
        main.menuOpenFile();
    };
    c.saveText = [&main] {
        main.menuSaveTxt();
    };
    c.exportGrid = [&main] {
        main.menuExportGrid();
    };
    c.loadOptions = [&main] {
        loadOptions(main.form, main.ui, main.places.currentFile);
    };
    c.saveOptions = [&main] {
        saveOptions(main.form, main.ui, main.places.currentFile, main.places.graphBaseName);
    };
    c.run = [&main, &state] {
        if (main.menuRunChecks())
            faZ(main, state, ArcSinLink::standard());
    };
    c.rowButton = [&main](int index) {
        main.comRow(index);
    };
    c.filterButton = [&main](int index) {
        main.comFilter(index);
    };
    c.customColor = [&main, &state] {
        return customScale(main, state);
    };
    c.titleImage = [&main] {
        return Titulo(titleSpecOf(main.form));
    };
    c.presetScale = presetColors;
    c.helpPath =
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("help/kartello-help.html"));
    return c;
}

void connectTable(tessara::Tessara& table, Main& main) {
    QObject::connect(&table, &tessara::Tessara::CellEdited, &table, [&main] { main.gridCellEdited(); });
    QObject::connect(&table, &tessara::Tessara::SelChange, &table, [&main] { main.gridSelChange(); });
    QObject::connect(&table, &tessara::Tessara::MouseDown, &table,
                     [&main](short, short, float x, float y) { main.gridMouseDown(x, y); });
}

int runDesktop(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kartello"));
    QApplication::setApplicationVersion(QStringLiteral("2.2.2"));

    QtUi ui;
    auto* table = new tessara::Tessara;
    Main main(ui, table->model());
    GraphState state;
    MainWindow window(main.form, ui, sessionCommands(main, state), table);
    ui.setWindow(&window);
    connectTable(*table, main);
    // Ticking "Show title in GE" draws the title, as the preview shows it.
    main.form.buildTitle = [&window] {
        window.sync(ctl::Picture2.toString());
    };
    main.formLoad();

    StartGuard start;
    start.doNotAskFlag = le_Ini();
    start.writeFlag = [](int flag) {
        writeIni(flag);
    };
    DecimalGuard guard;
    if (!start.run(guard, QLocale::system()))
        return 0;
    window.setGuard(&guard);

    if (const QScreen* screen = window.screen())
        window.resize(window.sizeHint().boundedTo(screen->availableGeometry().size()));
    window.show();
    return app.exec();
}

} // namespace kartello::gui
