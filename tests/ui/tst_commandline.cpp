// The command line, run as the real program with no display reachable, and
// the same calculations typed into the windows: both must show the same
// results under the same captions.

#include "messagewatcher.h"
#include "navigator.h"

#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QLineEdit>
#include <QLocale>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

#include <memory>
#include <string>

namespace {

struct Case
{
    const char* name;
    QStringList arguments;
    int status;
    // The lines on standard output; for the usage text, the lines it starts with.
    QStringList out;
    // What standard error names, on one line; nullptr when it must stay empty.
    const char* err = nullptr;
    const char* locale = "C";
    // The platform asked for; none by default. No display is ever reachable.
    const char* platform = nullptr;
    const char* outputFile = nullptr;
    // `out` are some of the lines, in their order, of this many.
    int excerptOf = 0;
    // What a folder of the row's own, named {dir} in the arguments, holds
    // afterwards; an SVG picture there is read back.
    QStringList files = {};
};

const QString e20 = "1" + QString(20, '0');
const QString e308 = "1" + QString(308, '0');
const QString e309 = "1" + QString(309, '0');

const Case cases[] = {
    {"-h", {"-h"}, 0, {"Употреба: brelkot"}},
    {"--help", {"--help"}, 0, {"Употреба: brelkot"}},
    {"--version", {"--version"}, 0, {"brelkot " BRELKOT_VERSION}},

    {"unknown option", {"--no-such-option"}, 2, {}, "„--no-such-option“"},
    {"unknown short option", {"-x"}, 2, {}, "„-x“"},
    {"argument that is no option", {"3000"}, 2, {}, "„3000“"},
    {"option without its value", {"--woofer", "3000,8", "--slope"}, 2, {}, "--slope"},
    {"option followed by another", {"--slope", "--woofer", "3000,8"}, 2, {}, "--slope"},
    {"option given twice", {"--slope", "6", "--slope", "12"}, 2, {}, "--slope"},
    {"values without a slope", {"--woofer", "3000,8"}, 2, {}, "--slope"},
    {"slope 7", {"--slope", "7"}, 2, {}, "„7“"},
    {"slope 6.0", {"--slope", "6.0", "--woofer", "3000,8"}, 2, {}, "„6.0“"},
    {"too few values", {"--slope", "6", "--woofer", "3000"}, 2, {}, "„3000“"},
    {"too many values", {"--slope", "12", "--midrange", "1,2,3,4"}, 2, {}, "„1,2,3,4“"},
    {"empty value", {"--slope", "6", "--woofer", "3000,"}, 2, {}, "„3000,“"},
    {"letters", {"--slope", "6", "--woofer", "3000,8Ω"}, 2, {}, "„8Ω“"},
    {"minus sign", {"--slope", "6", "--woofer", "-3000,8"}, 2, {}, "„-3000“"},
    {"plus sign", {"--slope", "6", "--woofer=+3000,8"}, 2, {}, "„+3000“"},
    {"decimal point", {"--slope", "18", "--tweeter", "3000,8.5"}, 2, {}, "„8.5“"},
    {"too large for a double",
     {"--slope", "12", "--tweeter", "3000," + e309},
     2,
     {},
     "„1000000000"},
    // The window's error-tolerant box would keep its old value; here it is an error too.
    {"too large for a double in the tolerant box",
     {"--slope", "6", "--midrange", e309 + ",5000,8"},
     2,
     {},
     "„1000000000"},

    {"woofer", {"--slope", "6", "--woofer", "3000,8"}, 0, {"Ниски\tL\t0.42\tmH"}},
    {"first order",
     {"--slope", "6", "--woofer", "3000,8", "--midrange", "500,5000,8", "--tweeter", "5000,6"},
     0,
     {"Ниски\tL\t0.42\tmH", "Среди\tC\t39.81\tµF", "Среди\tL\t0.25\tmH", "Високи\tC\t5.31\tµF"}},
    {"second order",
     {"--slope", "12", "--tweeter", "5000,6", "--woofer", "3000,8", "--midrange", "500,5000,8"},
     0,
     {"Ниски\tC\t4.69\tµF", "Ниски\tL\t0.6\tmH", "Среди\tC1\t28.15\tµF", "Среди\tC2\t2.81\tµF",
      "Среди\tL1\t0.36\tmH", "Среди\tL2\t3.6\tmH", "Високи\tC\t3.75\tµF", "Високи\tL\t0.27\tmH"}},
    {"third order",
     {"--slope=18", "--woofer=500,8", "--midrange=500,3000,8", "--tweeter=3000,8"},
     0,
     {"Ниски\tC\t53.08\tµF", "Ниски\tL1\t3.82\tmH", "Ниски\tL2\t1.27\tmH", "Среди\tC1\t26.54\tµF",
      "Среди\tC2\t79.62\tµF", "Среди\tC3\t8.85\tµF", "Среди\tL1\t0.64\tmH", "Среди\tL2\t0.21\tmH",
      "Среди\tL3\t1.91\tmH", "Високи\tC1\t4.42\tµF", "Високи\tC2\t13.27\tµF",
      "Високи\tL\t0.32\tmH"}},
    {"decimal comma",
     {"--slope", "12", "--woofer", "3000,8"},
     0,
     {"Ниски\tC\t4,69\tµF", "Ниски\tL\t0,6\tmH"},
     nullptr,
     "bg_BG.UTF-8"},
    {"zero skips its group",
     {"--slope", "18", "--woofer", "0,8", "--tweeter", "0005000,06"},
     0,
     {"Високи\tC1\t3.54\tµF", "Високи\tC2\t10.62\tµF", "Високи\tL\t0.14\tmH"}},
    {"no group", {"--slope", "18"}, 0, {}},
    {"exponent form and underflow",
     {"--slope", "18", "--woofer", "1," + e20},
     0,
     {"Ниски\tC\t0\tµF", "Ниски\tL1\t2.38853503184713E+22\tmH",
      "Ниски\tL2\t7.96178343949044E+21\tmH"}},
    {"overflow",
     {"--slope", "6", "--woofer", "3000,8", "--midrange", "1,1," + e308, "--tweeter", "5000,6"},
     1,
     {"Ниски\tL\t0.42\tmH", "Среди\tC\t0\tµF"},
     "Резултатът е твърде голям"},
    {"output to a full disk",
     {"--slope", "6", "--woofer", "3000,8"},
     1,
     {},
     "резултатите не могат да се запишат: няма място на диска",
     "C",
     nullptr,
     "/dev/full"},

    // Standard values and what to buy.
    {"series E12",
     {"--slope", "12", "--midrange", "500,5000,8", "--series", "E12"},
     0,
     {"Среди\tC1\t28.15\tµF\t27\t−4.1 %\t27 + 1.2\t+0.2 %",
      "Среди\tC2\t2.81\tµF\t2.7\t−4.1 %\t2.7 + 0.12\t+0.2 %",
      "Среди\tL1\t0.36\tmH\t0.39\t+8.2 %\t0.18 + 0.18\t−0.1 %",
      "Среди\tL2\t3.6\tmH\t3.9\t+8.2 %\t1.8 + 1.8\t−0.1 %"}},
    {"series E6",
     {"--slope", "18", "--woofer", "500,8", "--series", "E6"},
     0,
     {"Ниски\tC\t53.08\tµF\t47\t−11.5 %\t47 + 6.8\t+1.4 %",
      "Ниски\tL1\t3.82\tmH\t3.3\t−13.7 %\t3.3 + 0.47\t−1.4 %",
      "Ниски\tL2\t1.27\tmH\t1.5\t+17.8 %\t1 + 0.22\t−4.2 %"}},
    {"series E24 with a decimal comma",
     {"--slope", "12", "--woofer", "3000,8", "--series=E24"},
     0,
     {"Ниски\tC\t4,69\tµF\t4,7\t+0,2 %\t4,3 + 0,39\t0,0 %",
      "Ниски\tL\t0,6\tmH\t0,62\t+3,2 %\t0,51 + 0,091\t+0,1 %"},
     nullptr,
     "bg_BG.UTF-8"},
    {"series beyond its range",
     {"--slope", "6", "--woofer", "1," + e20, "--series", "E12"},
     0,
     {"Ниски\tL\t1.59235668789809E+22\tmH\t-\t-\t-\t-"}},
    {"parts, from E12 unless told",
     {"--slope", "12", "--woofer", "3000,8", "--midrange", "500,5000,8", "--parts"},
     0,
     {"кондензатор\t0.12\tµF\t2", "кондензатор\t1.2\tµF\t2", "кондензатор\t2.7\tµF\t2",
      "кондензатор\t4.7\tµF\t2", "кондензатор\t27\tµF\t2", "бобина\t0.18\tmH\t4",
      "бобина\t0.27\tmH\t2", "бобина\t0.33\tmH\t2", "бобина\t1.8\tmH\t4"}},
    {"parts from E6",
     {"--parts", "--slope", "6", "--woofer", "3000,8", "--tweeter", "5000,6", "--series", "E6"},
     0,
     {"кондензатор\t0.68\tµF\t2", "кондензатор\t4.7\tµF\t2", "бобина\t0.1\tmH\t2",
      "бобина\t0.33\tmH\t2"}},
    {"parts beyond the range",
     {"--slope", "18", "--woofer", "1," + e20, "--tweeter", "3000,8", "--parts"},
     1,
     {"кондензатор\t2.2\tµF\t4", "кондензатор\t3.3\tµF\t2", "кондензатор\t10\tµF\t2",
      "бобина\t0.047\tmH\t2", "бобина\t0.27\tmH\t2"},
     "няма стандартни стойности от 0.01 до 1000 за Ниски C, Ниски L1, Ниски L2"},
    {"series E48", {"--slope", "6", "--series", "E48"}, 2, {}, "„E48“"},
    {"series in lower case", {"--slope", "6", "--series=e12"}, 2, {}, "„e12“"},
    {"parts with a value", {"--slope", "6", "--parts=E12"}, 2, {}, "--parts"},
    {"parts twice", {"--slope", "6", "--parts", "--parts"}, 2, {}, "--parts"},

    // The response: the levels at the third octaves, the polarity, the −3 dB points.
    {.name = "response of a woofer",
     .arguments = {"--slope", "6", "--woofer", "3000,8", "--response"},
     .status = 0,
     .out = {"Hz\tНиски\tСума", "20\t0.0\t0.0", "3150\t−3.2\t−3.2", "20000\t−16.6\t−16.6",
             "Полярност\t+", "−3 dB\tНиски\t2998"},
     .excerptOf = 34},
    {.name = "response of the example",
     .arguments = {"--slope", "12", "--woofer", "500,8", "--midrange", "500,3000,8", "--tweeter",
                   "3000,8", "--response"},
     .status = 0,
     .out = {"Hz\tНиски\tСреди\tВисоки\tСума", "500\t−3.0\t−1.7\t−31.1\t3.6", "Полярност\t+\t−\t+",
             "−3 dB\tНиски\t500", "−3 dB\tСреди\t436\t3435", "−3 dB\tВисоки\t2998"},
     .excerptOf = 36},
    {.name = "response of the parts",
     .arguments = {"--slope", "12", "--woofer", "500,8", "--midrange", "500,3000,8", "--tweeter",
                   "3000,8", "--response", "--series", "E12"},
     .status = 0,
     .out = {"Полярност\t+\t−\t+", "−3 dB\tНиски\t500", "−3 dB\tСреди\t436\t3437",
             "−3 dB\tВисоки\t2993"},
     .excerptOf = 36},
    {.name = "response with a decimal comma",
     .arguments = {"--slope", "18", "--midrange", "500,3000,8", "--response"},
     .status = 0,
     .out = {"Hz\tСреди\tСума", "31,5\t−72,0\t−72,0"},
     .locale = "bg_BG.UTF-8",
     .excerptOf = 34},
    {.name = "response without the group that has no parts",
     .arguments = {"--slope", "18", "--woofer", "1," + e20, "--tweeter", "3000,8", "--response",
                   "--series", "E12"},
     .status = 1,
     .out = {"Hz\tВисоки\tСума", "Полярност\t+", "−3 dB\tВисоки\t3017"},
     .err = "няма стандартни стойности от 0.01 до 1000 за Ниски C, Ниски L1, Ниски L2",
     .excerptOf = 34},
    {"response of no group", {"--slope", "6", "--response"}, 2, {}, "--response"},
    {"response and parts",
     {"--slope", "6", "--woofer", "3000,8", "--response", "--parts"},
     2,
     {},
     "--parts и --response"},
    {"response twice", {"--slope", "6", "--response", "--response"}, 2, {}, "--response"},
    {"response with a value", {"--slope", "6", "--response=1"}, 2, {}, "--response"},

    // The plot, written whole or not at all.
    {.name = "plot",
     .arguments = {"--slope", "6", "--woofer", "3000,8", "--plot", "{dir}/plot.svg"},
     .status = 0,
     .out = {"Ниски\tL\t0.42\tmH"},
     .files = {"plot.svg"}},
    {.name = "plot with the response and a part missing",
     .arguments = {"--slope", "18", "--woofer", "1," + e20, "--midrange", "500,3000,8",
                   "--response", "--plot={dir}/plot.svg"},
     .status = 1,
     .out = {"Hz\tНиски\tСреди\tСума"},
     .err = "няма стандартни стойности от 0.01 до 1000 за Ниски C, Ниски L1, Ниски L2",
     .excerptOf = 35,
     .files = {"plot.svg"}},
    {.name = "plot into a missing folder",
     .arguments = {"--slope", "6", "--woofer", "3000,8", "--plot", "{dir}/no/plot.svg"},
     .status = 1,
     .out = {"Ниски\tL\t0.42\tmH"},
     .err = "графиката не може да се запише в „{dir}/no/plot.svg“: папката „{dir}/no“ не "
            "съществува"},
    {.name = "plot over a folder",
     .arguments = {"--slope", "6", "--woofer", "3000,8", "--plot", "{dir}"},
     .status = 1,
     .out = {"Ниски\tL\t0.42\tmH"},
     .err = "графиката не може да се запише в „{dir}“: това е папка"},
    // Even to root, the kernel's own folders are closed.
    {.name = "plot without the right to write",
     .arguments = {"--slope", "6", "--woofer", "3000,8", "--plot", "/sys/brelkot.svg"},
     .status = 1,
     .out = {"Ниски\tL\t0.42\tmH"},
     .err = "графиката не може да се запише в „/sys/brelkot.svg“: няма право на запис"},
    {.name = "plot to a full disk",
     .arguments = {"--slope", "6", "--woofer", "3000,8", "--plot", "/dev/full"},
     .status = 1,
     .out = {"Ниски\tL\t0.42\tmH"},
     .err = "графиката не може да се запише в „/dev/full“: няма място на диска"},
    {"plot of no group", {"--slope", "6", "--plot", "plot.svg"}, 2, {}, "--plot"},
    {"plot without its file", {"--slope", "6", "--woofer", "3000,8", "--plot"}, 2, {}, "--plot"},

    {"no display", {}, 1, {}, "DISPLAY (не е зададена)"},
    {"Qt's own option, for the windows", {"-session", "1234"}, 1, {}, "DISPLAY (не е зададена)"},
    {"X11 asked for with no display", {}, 1, {}, "QT_QPA_PLATFORM=xcb", "C", "xcb"},
    {"unknown platform", {}, 1, {}, "QT_QPA_PLATFORM=nosuch", "C", "nosuch"},
};

struct Run
{
    QProcess::ExitStatus exitStatus;
    int status;
    QString out;
    QString err;
};

Run runProgram(const Case& row, const QString& folder = {})
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "LANG", "LC_NUMERIC"})
        environment.remove(name);
    environment.insert("LC_ALL", row.locale);
    if (row.platform)
        environment.insert("QT_QPA_PLATFORM", row.platform);
    QProcess process;
    process.setProcessEnvironment(environment);
    if (row.outputFile)
        process.setStandardOutputFile(row.outputFile);
    QStringList arguments = row.arguments;
    arguments.replaceInStrings("{dir}", folder);
    process.start(BRELKOT_PROGRAM, arguments);
    if (!process.waitForFinished(30000))
        qFatal("brelkot did not finish: %s", qPrintable(row.arguments.join(' ')));
    return {process.exitStatus(), process.exitCode(),
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

// The value of `option` on the command line, given as --option VALUE or --option=VALUE.
QString optionValue(const QStringList& arguments, const QString& option)
{
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == option && i + 1 < arguments.size())
            return arguments[i + 1];
        if (arguments[i].startsWith(option + '='))
            return arguments[i].mid(option.size() + 1);
    }
    return {};
}

// A complete SVG picture of the response: the axes, a curve of each colour
// drawn, a title and the polarity in words.
void checkPlot(const QString& path)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QXmlStreamReader svg(&file);
    QStringList texts;
    int lines = 0;
    while (!svg.atEnd()) {
        if (svg.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (svg.name() == u"polyline")
            ++lines;
        else if (svg.name() == u"title" || svg.name() == u"desc" || svg.name() == u"text")
            texts << svg.readElementText();
    }
    QVERIFY2(!svg.hasError(), qPrintable(svg.errorString()));
    QVERIFY(lines > 10);
    QVERIFY2(texts.value(0).startsWith("Честотна характеристика, "), qPrintable(texts.join('|')));
    QVERIFY2(texts.contains("нормална полярност"), qPrintable(texts.join('|')));
    QVERIFY2(texts.contains("20 kHz"), qPrintable(texts.join('|')));
}

} // namespace

Q_DECLARE_METATYPE(const Case*)

class CommandLine : public QObject
{
    Q_OBJECT

private slots:
    void givesItsStatusOutputAndMessage_data();
    void givesItsStatusOutputAndMessage();
    void windowShowsTheSameResults_data();
    void windowShowsTheSameResults();
};

void CommandLine::givesItsStatusOutputAndMessage_data()
{
    QTest::addColumn<const Case*>("row");
    for (const Case& row : cases)
        QTest::newRow(row.name) << &row;
}

void CommandLine::givesItsStatusOutputAndMessage()
{
    QFETCH(const Case*, row);
    const QTemporaryDir folder;

    const Run run = runProgram(*row, folder.path());

    QCOMPARE(run.exitStatus, QProcess::NormalExit);
    QCOMPARE(run.status, row->status);
    QStringList lines = run.out.split('\n');
    QCOMPARE(lines.takeLast(), QString()); // every line ends
    if (row->out.value(0).startsWith("Употреба"))
        lines = lines.mid(0, row->out.size());
    if (row->excerptOf) {
        QCOMPARE(lines.size(), row->excerptOf);
        QStringList excerpt;
        for (const QString& line : lines) {
            if (excerpt.size() < row->out.size() && line == row->out[excerpt.size()])
                excerpt << line;
        }
        lines = excerpt;
    }
    QCOMPARE(lines, row->out);
    const QDir written(folder.path());
    QCOMPARE(written.entryList(QDir::Files | QDir::Hidden), row->files);
    for (const QString& name : row->files)
        checkPlot(written.filePath(name));
    if (!row->err) {
        QCOMPARE(run.err, QString());
        return;
    }
    QVERIFY2(run.err.contains(QString::fromUtf8(row->err).replace("{dir}", folder.path())),
             qPrintable(run.err));
    QVERIFY2(run.err.startsWith("brelkot: "), qPrintable(run.err));
    const qsizetype errLines = run.err.count('\n');
    if (row->status == 2) {
        QCOMPARE(errLines, 1);
        QVERIFY2(run.err.contains("brelkot --help"), qPrintable(run.err));
    } else {
        QVERIFY2(errLines == 1 || errLines == 2, qPrintable(run.err));
        QVERIFY(run.err.endsWith('\n'));
    }
}

void CommandLine::windowShowsTheSameResults_data()
{
    QTest::addColumn<const Case*>("row");
    for (const Case& row : cases) {
        const bool onlyResults = !row.arguments.join(' ').contains(
            QRegularExpression("--series|--parts|--response|--plot"));
        if (row.arguments.value(0).startsWith("--slope") && row.status != 2 && !row.outputFile &&
            onlyResults)
            QTest::newRow(row.name) << &row;
    }
}

void CommandLine::windowShowsTheSameResults()
{
    QFETCH(const Case*, row);
    QLocale::setDefault(QLocale(QString::fromUtf8(row->locale)));
    MessageWatcher watcher;
    const Slope slope = *slopeOfDecibels(optionValue(row->arguments, "--slope").toStdString());
    const std::unique_ptr<CrossoverWindow> window(createWindow(slope));
    const Crossover& described = crossover(slope);
    const std::pair<Group, const char*> groupOptions[] = {{Group::Woofer, "--woofer"},
                                                          {Group::Midrange, "--midrange"},
                                                          {Group::Tweeter, "--tweeter"}};
    for (const auto& [group, option] : groupOptions) {
        QStringList texts = optionValue(row->arguments, option).split(',', Qt::SkipEmptyParts);
        for (std::size_t i = 0; i < described.inputs.size() && !texts.isEmpty(); ++i) {
            if (described.inputs[i].group == group)
                window->controls().inputs[i]->setText(texts.takeFirst());
        }
        QVERIFY(texts.isEmpty());
    }

    QTest::mouseClick(window->controls().command1, Qt::LeftButton);

    QStringList lines;
    for (std::size_t i = 0; i < described.results.size(); ++i) {
        const Result& result = described.results[i];
        const QString text = window->controls().results[i]->text();
        if (!text.isEmpty())
            lines << QString::fromStdString(std::string(caption(result.group)) + '\t' +
                                            std::string(result.label) + '\t' + text.toStdString() +
                                            '\t' + std::string(result.unit()));
    }
    QCOMPARE(lines, row->out);
    if (row->err) {
        QCOMPARE(watcher.texts(), QStringList{QString::fromUtf8(row->err)});
    } else {
        QVERIFY(watcher.messages.isEmpty());
    }

    // Ctrl+C: the command line that repeats this Calculate, then what it
    // prints, which adds the E12 parts to the results above.
    window->show();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    QTest::keyClick(window->controls().command1, Qt::Key_C, Qt::ControlModifier);
    QLocale::setDefault(QLocale::c());
    QStringList copied = QGuiApplication::clipboard()->text().split('\n');
    QStringList command = copied.takeFirst().split(' ');
    QCOMPARE(command.takeFirst(), QString("brelkot"));
    QVERIFY2(command.mid(command.size() - 2) == QStringList({"--series", "E12"}),
             qPrintable(command.join(' ')));
    const Run rerun = runProgram({row->name, command, 0, {}, nullptr, row->locale});
    QCOMPARE(copied.join('\n'), rerun.out);
    QCOMPARE(copied.takeLast(), QString());
    for (QString& line : copied)
        line = line.section('\t', 0, 3);
    QCOMPARE(copied, row->out);
}

QTEST_MAIN(CommandLine)
#include "tst_commandline.moc"
