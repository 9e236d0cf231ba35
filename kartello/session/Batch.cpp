#include "session/Batch.h"
#include "form/ControlNames.h"

#include "form/FormModel.h"
#include "graph/ArcSinLink.h"
#include "runtime/RuntimeError.h"
#include "session/BatchUi.h"
#include "session/Main.h"
#include "session/MakeGraph.h"
#include "session/OptionsFile.h"

#include <QFileInfo>

namespace kartello {

namespace {

// A preset colour scale is chosen by clicking its picture: Image2_N=True.
bool isScaleImage(const QString& name) {
    if (!ctl::isElementOf(name, ctl::Image2))
        return false;
    bool ok = false;
    const int n = ctl::elementIndex(name, ctl::Image2, &ok);
    return ok && n >= 0 && n <= 6;
}

bool isTrue(const QString& value) {
    return value.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0;
}

// Sets one control as a person would; false when the name is unknown or the
// value is not of the control's form.
bool applySet(Main& main, GraphState& state, const QString& name, const QString& value) {
    FormModel& form = main.form;
    if (name == ctl::comCustomColor) {
        // The "ok" button beside the custom colours builds the custom scale.
        if (!isTrue(value))
            return false;
        customColorScale(form, main.ui, state);
        return true;
    }
    if (isScaleImage(name)) {
        if (!isTrue(value))
            return false;
        form.clickControl(name);
        return true;
    }
    const std::optional<ValueForm> valueForm = valueFormOf(form, name);
    if (!valueForm)
        return false;
    try {
        applyValue(form, name, *valueForm, value);
    } catch (const RuntimeError&) {
        return false;
    }
    return true;
}

QString* fieldOf(FieldChoice& fields, const QString& flag) {
    if (flag == u"--layer")
        return &fields.layer;
    if (flag == u"--name-field")
        return &fields.nameField;
    if (flag == u"--value-field")
        return &fields.valueField;
    if (flag == u"--lat-field")
        return &fields.latField;
    if (flag == u"--lon-field")
        return &fields.lonField;
    if (flag == u"--time-field")
        return &fields.timeField;
    return nullptr;
}

// --classes METHOD:N as the two class controls set by hand; false when the
// method is unknown or N is not 3 to 9.
bool classSets(const QString& methodAndCount, std::vector<std::pair<QString, QString>>& sets) {
    static const char* const methods[] = {"continuous", "equal", "quantile", "jenks"};
    const qsizetype colon = methodAndCount.indexOf(QLatin1Char(':'));
    bool ok = false;
    const int count = methodAndCount.mid(colon + 1).toInt(&ok);
    if (colon < 0 || !ok || count < kMinClassCount || count > kMaxClassCount)
        return false;
    for (int m = 0; m < 4; ++m)
        if (methodAndCount.left(colon) == QLatin1String(methods[m])) {
            sets.emplace_back(ctl::cboClassMethod.toString(), QString::number(m));
            sets.emplace_back(ctl::cboClassCount.toString(), QString::number(count));
            return true;
        }
    return false;
}

} // namespace

std::optional<BatchArgs> parseBatchArgs(const QStringList& args, QString* error) {
    BatchArgs a;
    bool batch = false;
    const auto fail = [error](const QString& text) {
        *error = text;
        return std::nullopt;
    };
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        const auto next = [&](QString* into) {
            if (i + 1 >= args.size())
                return false;
            *into = args[++i];
            return true;
        };
        QString v;
        if (arg == u"--batch") {
            batch = true;
        } else if (arg == u"--title-top") {
            a.titleTop = true;
        } else if (arg == u"--yes") {
            a.yes = true;
        } else if (arg == u"--data" || arg == u"--options" || arg == u"--out" || arg == u"--title1" ||
                   arg == u"--title2" || arg == u"--set" || arg == u"--classes") {
            if (!next(&v))
                return fail(arg + QStringLiteral(" needs a value"));
            if (arg == u"--data")
                a.data = v;
            else if (arg == u"--options")
                a.options = v;
            else if (arg == u"--out")
                a.out = v;
            else if (arg == u"--title1")
                a.title1 = v;
            else if (arg == u"--title2")
                a.title2 = v;
            else if (arg == u"--classes") {
                if (!classSets(v, a.sets))
                    return fail(
                        QStringLiteral("--classes needs METHOD:N (equal, quantile or jenks; N 3 to 9), "
                                       "not ") +
                        v);
            } else {
                const qsizetype eq = v.indexOf(QLatin1Char('='));
                if (eq <= 0)
                    return fail(QStringLiteral("--set needs NAME=VALUE, not ") + v);
                a.sets.emplace_back(v.left(eq), v.mid(eq + 1));
            }
        } else if (QString* field = fieldOf(a.fields, arg)) {
            if (!next(field) || field->isEmpty())
                return fail(arg + QStringLiteral(" needs a value"));
        } else {
            return fail(QStringLiteral("unknown argument ") + arg);
        }
    }
    if (!batch)
        return fail(QStringLiteral("--batch is missing"));
    if (a.data.isEmpty())
        return fail(QStringLiteral("--data FILE is missing"));
    if (a.out.isEmpty())
        return fail(QStringLiteral("--out FILE is missing"));
    if (a.fields.latField.isEmpty() != a.fields.lonField.isEmpty())
        return fail(QStringLiteral("--lat-field and --lon-field go together"));
    return a;
}

int runBatch(const BatchArgs& args, QTextStream& err) {
    BatchUi ui(err, args.yes);
    Main main(ui);
    // The batch table is never shown: fitting its columns to the text of
    // every cell would shape thousands of strings through the font engine
    // (a fifth of a large run) for widths no one sees.
    main.grid.setTextMeasure([](const QString&) { return 0.0; });
    GraphState state;
    main.formLoad();

    main.places.fieldChoice = args.fields;
    ui.openAnswers.push_back(QFileInfo(args.data).absoluteFilePath());
    main.menuOpenFile();
    if (!main.places.dataLoaded)
        return kBatchNoOutput;

    if (!args.options.isEmpty()) {
        ui.openAnswers.push_back(QFileInfo(args.options).absoluteFilePath());
        if (!loadOptions(main.form, ui, main.places.currentFile))
            return kBatchNoOutput;
    }
    if (args.title1)
        main.form.setText(ctl::Text1_0, *args.title1);
    if (args.title2)
        main.form.setText(ctl::Text1_1, *args.title2);
    if (args.title1 || args.title2) {
        main.form.setCheck(ctl::chkSTitle, 1);
        if (args.titleTop)
            main.form.clickOption(ctl::Option6_0);
    }
    for (const auto& [name, value] : args.sets) {
        if (!applySet(main, state, name, value)) {
            err << "kartello: bad argument --set " << name << '=' << value << Qt::endl;
            return kBatchBadArguments;
        }
    }

    if (!main.menuRunChecks())
        return kBatchNoOutput;
    ui.saveAnswer = QFileInfo(args.out).absoluteFilePath();
    return faZ(main, state, ArcSinLink::standard()) ? kBatchWritten : kBatchNoOutput;
}

} // namespace kartello
