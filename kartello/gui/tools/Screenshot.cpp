// Renders the main window with a few places and a 3D choice into a PNG, for
// the user guide and the README: kartello_gui_screenshot OUT.png
#include "form/ControlNames.h"
#include "form/FormModel.h"
#include "graph/Colors.h"
#include "graph/Overlays.h"
#include "gui/MainWindow.h"
#include "runtime/testing/FakeUi.h"

#include <QApplication>
#include <QTimer>
#include <tessara/Tessara.h>

using namespace kartello;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2)
        return 2;
    FakeUi ui;
    FormModel form(ui);
    auto* grid = new tessara::Tessara;
    gui::MainCommands commands;
    commands.presetScale = [](int preset) {
        ColorTable table{};
        InicolorScale(preset, table);
        return QVector<Rgb>(table.begin(), table.end());
    };
    gui::MainWindow window(form, ui, commands, grid);
    form.startUp();

    tessara::GridModel& g = grid->model();
    const char* rows[][4] = {{"38.716700", "-9.133300", "Lisbon", "547"},
                             {"41.150000", "-8.616700", "Porto", "237.5"},
                             {"37.016700", "-7.933300", "Faro", "64"},
                             {"40.205600", "-8.419500", "Coimbra", "143"},
                             {"38.566700", "-7.900000", "Evora", "57"}};
    g.setCols(4);
    g.setFixedCols(0);
    g.setRows(6);
    const char* headers[] = {"Latitude", "Longitude", "Place/WP name", "Value"};
    for (int c = 0; c < 4; ++c) {
        g.setTextMatrix(0, c, headers[c]);
        g.AutoColWidth(c, c == 2 ? 1590 : 1000);
    }
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 4; ++c)
            g.setTextMatrix(r + 1, c, rows[r][c]);
    form.setCaption(ctl::Label4, "Current file: examples/portugal.txt");
    form.setCaption(ctl::lblNPlaces, "N.places: 5");
    form.setVisible(ctl::lblNPlaces, true);
    form.clickOption(ctl::Option1_1);
    form.clickOption(ctl::Option2_1);
    form.clickControl(ctl::Image2_0);

    window.resize(1366, 740);
    window.show();
    QTimer::singleShot(300, [&] {
        window.grab().save(QString::fromLocal8Bit(argv[1]), "PNG");
        app.quit();
    });
    return app.exec();
}
