#include "application.h"
#include "form1.h"
#include "form2.h"
#include "form3.h"
#include "messagewatcher.h"
#include "navigator.h"
#include "responseview.h"
#include "responsewindow.h"
#include "slopecolumns.h"

#include <QApplication>
#include <QClipboard>
#include <QHash>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QPointingDevice>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

std::unique_ptr<CrossoverWindow> makeWindow(Slope slope)
{
    return std::unique_ptr<CrossoverWindow>(createWindow(slope));
}

void paste(QLineEdit* target, const QString& text)
{
    QGuiApplication::clipboard()->setText(text);
    target->selectAll();
    QTest::keyClick(target, Qt::Key_V, Qt::ControlModifier);
}

// The value the entry box of `input` feeds.
double storedValue(const CrossoverWindow& window, int input)
{
    return window.model().values().*window.model().crossover().inputs[input].value;
}

// Every widget of a class in existence, top-level or inside another.
template <class Widget> QList<Widget*> widgetsOf()
{
    QList<Widget*> found;
    for (QWidget* widget : QApplication::allWidgets()) {
        if (auto* typed = qobject_cast<Widget*>(widget))
            found << typed;
    }
    return found;
}

QList<CrossoverWindow*> slopeWindows()
{
    return widgetsOf<CrossoverWindow>();
}

// The most slope windows on show in the top-level window whenever another one
// is put into it.
class ChildCounter : public QObject
{
public:
    explicit ChildCounter(QWidget* topLevel) : m_topLevel(topLevel)
    {
        topLevel->installEventFilter(this);
    }
    int mostShown() const { return m_most; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == m_topLevel && event->type() == QEvent::ChildAdded) {
            const auto children = m_topLevel->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
            m_most =
                std::max(m_most, int(std::count_if(children.begin(), children.end(),
                                                   [](QWidget* w) { return !w->isHidden(); })));
        }
        return false;
    }

private:
    QWidget* m_topLevel;
    int m_most = 0;
};

// The window is placed, frame and all, where a box of its client area's size
// sits centred on the screen, to the half pixel.
QString centreMismatch(const QWidget* window)
{
    const QPointF centre = QRectF(window->screen()->availableGeometry()).center();
    const QPointF placed = QPointF(window->pos()) + QPointF(window->width(), window->height()) / 2;
    if (std::abs(placed.x() - centre.x()) <= 0.5 && std::abs(placed.y() - centre.y()) <= 0.5)
        return {};
    return QString("window centre %1,%2 screen centre %3,%4")
        .arg(placed.x())
        .arg(placed.y())
        .arg(centre.x())
        .arg(centre.y());
}

// The contrast ratio of two colours, from 1 (the same) to 21 (black on white),
// as the accessibility guidelines reckon it.
double contrastRatio(QColor a, QColor b)
{
    const auto luminance = [](QColor colour) {
        const auto linear = [](double value) {
            return value <= 0.04045 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
               0.0722 * linear(colour.blueF());
    };
    const double first = luminance(a);
    const double second = luminance(b);
    return (std::max(first, second) + 0.05) / (std::min(first, second) + 0.05);
}

// The contrast of a text box's text against its face, as drawn: the face is
// the colour of most of the inside, the text the pixel that stands out most.
double textContrast(QWidget* box)
{
    const QImage image = box->grab().toImage();
    QHash<QRgb, int> counts;
    for (int y = 1; y < image.height() - 1; ++y) {
        for (int x = 1; x < image.width() - 1; ++x)
            ++counts[image.pixel(x, y)];
    }
    QRgb face = 0;
    for (auto [colour, count] : counts.asKeyValueRange()) {
        if (count > counts.value(face))
            face = colour;
    }
    double most = 1;
    for (auto [colour, count] : counts.asKeyValueRange())
        most = std::max(most, contrastRatio(QColor(face), QColor(colour)));
    return most;
}

// The texts typed into the seven entry boxes in the order of the inputs
// (woofer fc, R; midrange fc1, fc2, R; tweeter fc, R), empty where nothing is
// typed; and the texts of the result boxes in the order of the results.
using Typed = QStringList;
using Shown = QStringList;

const Typed fullExample = {"500", "8", "500", "3000", "8", "3000", "8"};

} // namespace

class WindowBehaviour : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void typingStoresEveryIntermediateNumber_data();
    void typingStoresEveryIntermediateNumber();
    void rejectedTextEmptiesTheBoxAndShowsOneMessage_data();
    void rejectedTextEmptiesTheBoxAndShowsOneMessage();
    void oversizedNumberIsKeptOnlyByTheTolerantBox_data();
    void oversizedNumberIsKeptOnlyByTheTolerantBox();
    void outputBoxesTakeNoTyping_data();
    void outputBoxesTakeNoTyping();
    void calculateWritesEachResultIntoItsBox_data();
    void calculateWritesEachResultIntoItsBox();
    void resultsUseTheLocalesDecimalSeparator();
    void resultsStayReadableInLightAndDarkPalettes_data();
    void resultsStayReadableInLightAndDarkPalettes();
    void clearEmptiesEveryBoxAndResetsTheValues_data();
    void clearEmptiesEveryBoxAndResetsTheValues();
    void resultTooLargeShowsAMessageAndKeepsEarlierResults();
    void extremeResultsShowAsTheRulesSay_data();
    void extremeResultsShowAsTheRulesSay();
    void longLeadingZerosStoreTheNumber();
    void copyTakesTheLastCalculationUnlessTextIsSelected_data();
    void copyTakesTheLastCalculationUnlessTextIsSelected();
    void responseWindowIsOneAndGoesWithItsCalculation_data();
    void responseWindowIsOneAndGoesWithItsCalculation();
    void responseIsSavedWholeOrNotAtAll_data();
    void responseIsSavedWholeOrNotAtAll();
    void windowOpensCentredWithTheFocusOnCalculate_data();
    void windowOpensCentredWithTheFocusOnCalculate();
    void switchingLandsOnAFreshWindowAndLeavesExactlyOne_data();
    void switchingLandsOnAFreshWindowAndLeavesExactlyOne();
    void inputArrivingInOneBatchLandsOnTheRightWindow_data();
    void inputArrivingInOneBatchLandsOnTheRightWindow();
    void closingTheWindowEndsTheProgram();
    void exitButtonEndsTheProgram_data();
    void exitButtonEndsTheProgram();
};

void WindowBehaviour::initTestCase()
{
    identifyApplication();
}

namespace {

void typeInto(CrossoverWindow& window, const Typed& typed)
{
    for (int i = 0; i < typed.size(); ++i)
        QTest::keyClicks(window.controls().inputs[i], typed[i]);
}

void click(QPushButton* button)
{
    QTest::mouseClick(button, Qt::LeftButton);
}

// Runs the program's event loop, as main() does, until it ends or five
// seconds pass; returns its exit code, or -1 on time-out.
int runEventLoop()
{
    QTimer timeout;
    timeout.setSingleShot(true);
    QObject::connect(&timeout, &QTimer::timeout, [] { QCoreApplication::exit(-1); });
    timeout.start(5000);
    return QApplication::exec();
}

Shown resultTexts(const CrossoverWindow& window)
{
    Shown texts;
    for (const QLineEdit* box : window.controls().results)
        texts << box->text();
    return texts;
}

} // namespace

void WindowBehaviour::typingStoresEveryIntermediateNumber_data()
{
    QTest::addColumn<Slope>("slope");
    QTest::addColumn<int>("input");
    forEveryBox(false, [](Slope slope, int input, const QByteArray& name) {
        QTest::newRow(name) << slope << input;
    });
}

void WindowBehaviour::typingStoresEveryIntermediateNumber()
{
    QFETCH(Slope, slope);
    QFETCH(int, input);
    MessageWatcher watcher;
    auto window = makeWindow(slope);
    QLineEdit* target = window->controls().inputs[input];

    QTest::keyClicks(target, "12");
    QCOMPARE(storedValue(*window, input), 12.0);
    QTest::keyClick(target, Qt::Key_Backspace);
    QCOMPARE(storedValue(*window, input), 1.0);
    QTest::keyClick(target, Qt::Key_Backspace);
    QCOMPARE(target->text(), QString());
    QCOMPARE(storedValue(*window, input), 1.0);

    QTest::keyClicks(target, "12");
    target->selectAll();
    QTest::keyClick(target, Qt::Key_Delete);
    QCOMPARE(storedValue(*window, input), 12.0);
    QVERIFY(watcher.messages.isEmpty());
}

void WindowBehaviour::rejectedTextEmptiesTheBoxAndShowsOneMessage_data()
{
    QTest::addColumn<Slope>("slope");
    QTest::addColumn<int>("input");
    QTest::addColumn<QString>("text");
    forEveryBox(false, [](Slope slope, int input, const QByteArray& name) {
        QTest::newRow(name + "/12a") << slope << input << "12a";
    });
    for (const char* text : {"12.5", "12,5", "-5", "+5", "1e3", "abc", "5Ω", " 5", "5 ", "５"})
        QTest::addRow("Form1/Ниски fc/%s", text) << Slope::First << 0 << QString::fromUtf8(text);
}

void WindowBehaviour::rejectedTextEmptiesTheBoxAndShowsOneMessage()
{
    QFETCH(Slope, slope);
    QFETCH(int, input);
    QFETCH(QString, text);
    MessageWatcher watcher;
    auto window = makeWindow(slope);
    QLineEdit* target = window->controls().inputs[input];
    QTest::keyClicks(target, "7");

    paste(target, text);

    QCOMPARE(target->text(), QString());
    QCOMPARE(storedValue(*window, input), 7.0);
    QCOMPARE(watcher.messages.size(), 1);
    const MessageWatcher::Message& message = watcher.messages.first();
    QCOMPARE(message.title, QString(" Error !!"));
    QCOMPARE(message.text, QString("Моля въвеждайте само числа"));
    QCOMPARE(message.icon, QMessageBox::Information);
    QCOMPARE(message.buttonCount, 1);
    QVERIFY(message.applicationModal);
}

void WindowBehaviour::oversizedNumberIsKeptOnlyByTheTolerantBox_data()
{
    QTest::addColumn<Slope>("slope");
    QTest::addColumn<int>("input");
    QTest::addColumn<QString>("oversized");
    const QString justTooLarge = "1" + QString(309, '0');
    const QString hundredThousandDigits = QString(100000, '9');
    forEveryBox(false, [&](Slope slope, int input, const QByteArray& name) {
        QTest::newRow(name + "/310 digits") << slope << input << justTooLarge;
        QTest::newRow(name + "/100000 digits") << slope << input << hundredThousandDigits;
    });
}

void WindowBehaviour::oversizedNumberIsKeptOnlyByTheTolerantBox()
{
    QFETCH(Slope, slope);
    QFETCH(int, input);
    QFETCH(QString, oversized);
    MessageWatcher watcher;
    auto window = makeWindow(slope);
    QLineEdit* target = window->controls().inputs[input];
    const bool tolerant = crossover(slope).inputs[input].errorTolerant;
    QTest::keyClicks(target, "7");

    paste(target, oversized);

    QCOMPARE(storedValue(*window, input), 7.0);
    QCOMPARE(target->text(), tolerant ? oversized : QString());
    QCOMPARE(watcher.messages.size(), tolerant ? 0 : 1);
}

void WindowBehaviour::outputBoxesTakeNoTyping_data()
{
    QTest::addColumn<Slope>("slope");
    QTest::addColumn<int>("result");
    forEveryBox(true, [](Slope slope, int result, const QByteArray& name) {
        QTest::newRow(name) << slope << result;
    });
}

void WindowBehaviour::outputBoxesTakeNoTyping()
{
    QFETCH(Slope, slope);
    QFETCH(int, result);
    auto window = makeWindow(slope);
    window->show();
    QLineEdit* target = window->controls().results[result];

    QTest::mouseClick(target, Qt::LeftButton);
    QTest::keyClicks(target, "5");
    QVERIFY(!target->hasFocus());
    QCOMPARE(target->text(), QString());
}

void WindowBehaviour::calculateWritesEachResultIntoItsBox_data()
{
    QTest::addColumn<Slope>("slope");
    QTest::addColumn<Typed>("typed");
    QTest::addColumn<Shown>("shown");
    // The first result box's tooltip: the parts of the E12 series for it.
    QTest::addColumn<QString>("hint");

    QTest::newRow("Form1") << Slope::First << Typed{"3000", "8", "500", "5000", "8", "5000", "6"}
                           << Shown{"0.42", "39.81", "0.25", "5.31"}
                           << "E12: най-близо 0.39 mH (−8.2 %), двойка 0.39 + 0.033 mH (−0.4 %)";
    QTest::newRow("Form1/midrange without fc2")
        << Slope::First << Typed{"", "", "500", "", "8"} << Shown{"", "", "", ""} << "";
    QTest::newRow("Form2") << Slope::Second << Typed{"3000", "8", "500", "5000", "8", "5000", "6"}
                           << Shown{"4.69", "0.6", "28.15", "2.81", "0.36", "3.6", "3.75", "0.27"}
                           << "E12: най-близо 4.7 µF (+0.2 %), двойка 4.7 + 0.01 µF (+0.4 %)";
    QTest::newRow("Form3") << Slope::Third << fullExample
                           << Shown{"53.08", "3.82", "1.27", "26.54", "79.62", "8.85",
                                    "0.64",  "0.21", "1.91", "4.42",  "13.27", "0.32"}
                           << "E12: най-близо 56 µF (+5.5 %), двойка 47 + 5.6 µF (−0.9 %)";
}

void WindowBehaviour::calculateWritesEachResultIntoItsBox()
{
    QFETCH(Slope, slope);
    QFETCH(Typed, typed);
    QFETCH(Shown, shown);
    QFETCH(QString, hint);
    QLocale::setDefault(QLocale::c());
    auto window = makeWindow(slope);
    typeInto(*window, typed);

    click(window->controls().command1);

    QCOMPARE(resultTexts(*window), shown);
    // A screen reader is told what the tooltip shows.
    QCOMPARE(window->controls().results[0]->toolTip(), hint);
    QCOMPARE(window->controls().results[0]->accessibleDescription(), hint);
    for (int i = 0; i < typed.size(); ++i)
        QCOMPARE(window->controls().inputs[i]->text(), typed[i]);
}

void WindowBehaviour::resultsUseTheLocalesDecimalSeparator()
{
    QLocale::setDefault(QLocale(QLocale::Bulgarian, QLocale::Bulgaria));
    Form1 window;
    typeInto(window, {"", "", "500", "5000", "8"});
    click(window.controls().command1);
    QLocale::setDefault(QLocale::c());
    QCOMPARE(resultTexts(window), (Shown{"", "39,81", "0,25", ""}));
}

void WindowBehaviour::resultsStayReadableInLightAndDarkPalettes_data()
{
    QTest::addColumn<Slope>("slope");
    // Light, dark from the start, or the desktop turned dark while it runs.
    QTest::addColumn<QByteArray>("theme");
    for (const QByteArray theme : {"light", "dark", "dark later"}) {
        for (Slope slope : slopes)
            QTest::newRow(theme + '/' + windowName(slope)) << slope << theme;
    }
}

void WindowBehaviour::resultsStayReadableInLightAndDarkPalettes()
{
    QFETCH(Slope, slope);
    QFETCH(QByteArray, theme);
    const QPalette light = QApplication::palette();
    const auto restore = qScopeGuard([light] { QApplication::setPalette(light); });
    // Qt's own palette for a dark window face: light text on black boxes.
    const auto turnDark = [] {
        QApplication::setPalette(QPalette(QColor(53, 53, 53), QColor(53, 53, 53)));
    };
    if (theme == "dark")
        turnDark();
    auto window = makeWindow(slope);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    typeInto(*window, fullExample);

    click(window->controls().command1);
    if (theme == "dark later") {
        turnDark();
        QCoreApplication::processEvents(); // the change reaches the boxes by events
    }

    for (QLineEdit* output : window->controls().results) {
        QVERIFY(!output->text().isEmpty());
        QVERIFY(!output->isEnabled());
        const double contrast = textContrast(output);
        QVERIFY2(contrast >= 4.5,
                 qPrintable(QString("%1: %2 : 1").arg(output->objectName()).arg(contrast)));
    }
}

void WindowBehaviour::clearEmptiesEveryBoxAndResetsTheValues_data()
{
    addSlopeRows();
}

void WindowBehaviour::clearEmptiesEveryBoxAndResetsTheValues()
{
    QFETCH(Slope, slope);
    MessageWatcher watcher;
    auto window = makeWindow(slope);
    typeInto(*window, Typed(7, "5"));
    click(window->controls().command1);
    const QList<QLineEdit*> boxes = window->findChildren<QLineEdit*>();

    click(window->controls().command2);

    for (const QLineEdit* box : boxes)
        QCOMPARE(box->text(), QString());
    QCOMPARE(window->model().values(), Values{});
    QVERIFY(watcher.messages.isEmpty());

    // Nothing is left to calculate.
    click(window->controls().command1);
    for (const QLineEdit* box : boxes)
        QCOMPARE(box->text(), QString());
}

void WindowBehaviour::resultTooLargeShowsAMessageAndKeepsEarlierResults()
{
    QLocale::setDefault(QLocale::c());
    MessageWatcher watcher;
    Form1 window;
    typeInto(window, {"3000", "8", "1", "1", "1" + QString(308, '0'), "5000", "6"});

    click(window.controls().command1);

    QCOMPARE(watcher.texts(), QStringList{"Резултатът е твърде голям"});
    QCOMPARE(watcher.messages.first().title, QString(" Error !!"));
    QCOMPARE(resultTexts(window), (Shown{"0.42", "0", "", ""}));
    QCOMPARE(window.model().values().rvg1, 1e308);
}

void WindowBehaviour::extremeResultsShowAsTheRulesSay_data()
{
    QTest::addColumn<Slope>("slope");
    QTest::addColumn<Typed>("typed");
    QTest::addColumn<Shown>("shown");
    QTest::addColumn<bool>("overflow");
    const QString e20 = "1" + QString(20, '0');
    const QString e308 = "1" + QString(308, '0');

    QTest::newRow("Form1/exponent form")
        << Slope::First << Typed{"1", e20} << Shown{"1.59235668789809E+22", "", "", ""} << false;
    QTest::newRow("Form2/exponent form and underflow")
        << Slope::Second << Typed{"1", e20}
        << Shown{"0", "2.25193242416098E+22", "", "", "", "", "", ""} << false;
    QTest::newRow("Form3/exponent form and underflow")
        << Slope::Third << Typed{"1", e20} << Shown{"0",
                                                    "2.38853503184713E+22",
                                                    "7.96178343949044E+21",
                                                    "",
                                                    "",
                                                    "",
                                                    "",
                                                    "",
                                                    "",
                                                    "",
                                                    "",
                                                    ""}
        << false;
    QTest::newRow("Form1/overflow")
        << Slope::First << Typed{"", "", "1", "1", e308} << Shown{"", "0", "", ""} << true;
    QTest::newRow("Form2/overflow")
        << Slope::Second << Typed{"1", e308} << Shown{"0", "", "", "", "", "", "", ""} << true;
    QTest::newRow("Form3/overflow")
        << Slope::Third << Typed{"1", e308}
        << Shown{"0", "", "", "", "", "", "", "", "", "", "", ""} << true;
}

void WindowBehaviour::extremeResultsShowAsTheRulesSay()
{
    QFETCH(Slope, slope);
    QFETCH(Typed, typed);
    QFETCH(Shown, shown);
    QFETCH(bool, overflow);
    QLocale::setDefault(QLocale::c());
    MessageWatcher watcher;
    auto window = makeWindow(slope);
    for (int i = 0; i < typed.size(); ++i)
        paste(window->controls().inputs[i], typed[i]);

    click(window->controls().command1);

    QCOMPARE(watcher.texts(), overflow ? QStringList{"Резултатът е твърде голям"} : QStringList{});
    QCOMPARE(resultTexts(*window), shown);

    // The window goes on working after the message.
    click(window->controls().command2);
    typeInto(*window, fullExample);
    click(window->controls().command1);
    QVERIFY(!resultTexts(*window).contains(QString()));
}

void WindowBehaviour::longLeadingZerosStoreTheNumber()
{
    MessageWatcher watcher;
    Form3 window;
    paste(window.controls().inputs[6], QString(100000, '0') + "6");
    QCOMPARE(window.model().values().rvg2, 6.0);
    QVERIFY(watcher.messages.isEmpty());
}

void WindowBehaviour::copyTakesTheLastCalculationUnlessTextIsSelected_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("copied"); // how the clipboard's text starts
    const QString results = "brelkot --slope 12 --woofer 500,8 --midrange 500,3000,8";
    QTest::newRow("before any Calculate") << QStringList{} << "kept";
    QTest::newRow("after Clear") << QStringList{"calculate", "clear"} << "kept";
    QTest::newRow("Calculate") << QStringList{"calculate"} << results;
    QTest::newRow("entry box, nothing selected")
        << QStringList{"calculate", "focus entry"} << results;
    QTest::newRow("entry box with a selection")
        << QStringList{"calculate", "focus entry", "select"} << "500";
    // The values of the last Calculate, whatever the boxes hold since.
    QTest::newRow("box changed since")
        << QStringList{"calculate", "focus entry", "type 1"} << results;
}

void WindowBehaviour::copyTakesTheLastCalculationUnlessTextIsSelected()
{
    QFETCH(QStringList, steps);
    QFETCH(QString, copied);
    QLocale::setDefault(QLocale::c());
    Form2 window;
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    typeInto(window, fullExample);
    QLineEdit* entry = window.controls().inputs[0];
    window.controls().command1->setFocus();
    for (const QString& step : steps) {
        if (step == "calculate")
            click(window.controls().command1);
        else if (step == "clear")
            click(window.controls().command2);
        else if (step == "focus entry")
            entry->setFocus();
        else if (step == "select")
            entry->selectAll();
        else
            QTest::keyClicks(entry, step.section(' ', 1));
    }
    QGuiApplication::clipboard()->setText("kept");

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_C, Qt::ControlModifier);

    QVERIFY2(QGuiApplication::clipboard()->text().startsWith(copied),
             qPrintable(QGuiApplication::clipboard()->text()));
}

namespace {

QList<ResponseWindow*> responseWindows()
{
    return widgetsOf<ResponseWindow>();
}

// Ctrl+R pressed in the calculator window, with the keyboard there.
void pressCtrlR(QWidget* topLevel, CrossoverWindow* window)
{
    topLevel->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(topLevel));
    QTest::keyClick(window->controls().command1, Qt::Key_R, Qt::ControlModifier);
}

// The item "Честотна характеристика" of the window's context menu.
void chooseFromContextMenu(CrossoverWindow* window)
{
    const QPoint at = window->rect().center();
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, window->mapToGlobal(at));
    QTimer::singleShot(0, window, [] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu);
        for (QAction* action : menu->actions()) {
            if (action->text() == QStringLiteral("Честотна характеристика"))
                menu->setActiveAction(action);
        }
        QTest::keyClick(menu, Qt::Key_Return);
    });
    QCoreApplication::sendEvent(window, &event);
}

} // namespace

void WindowBehaviour::responseWindowIsOneAndGoesWithItsCalculation_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<int>("windows");  // response windows left
    QTest::addColumn<bool>("enabled"); // Ctrl+R
    // What a screen reader says of it: the 12 dB midrange is wired the other
    // way round, unless the tweeter is gone.
    QTest::addColumn<QString>("says");
    const QString all = "Среди: обърната полярност, −3 dB при 436 Hz и 3437 Hz. Високи: ";
    QTest::newRow("before any Calculate") << QStringList{"ctrl+r"} << 0 << false << "";
    QTest::newRow("Ctrl+R") << QStringList{"calculate", "ctrl+r"} << 1 << true << all;
    QTest::newRow("context menu") << QStringList{"calculate", "menu"} << 1 << true << all;
    QTest::newRow("Ctrl+R twice") << QStringList{"calculate", "ctrl+r", "ctrl+r"} << 1 << true
                                  << all;
    QTest::newRow("Ctrl+R and the menu")
        << QStringList{"calculate", "ctrl+r", "menu"} << 1 << true << all;
    QTest::newRow("Calculate again redraws it")
        << QStringList{"calculate", "ctrl+r", "tweeter 0", "calculate"} << 1 << true
        << "Ниски: нормална полярност, −3 dB при 500 Hz. Среди: нормална полярност, −3 dB при "
           "436 Hz и 3437 Hz.";
    QTest::newRow("Clear closes it")
        << QStringList{"calculate", "ctrl+r", "clear"} << 0 << false << "";
    QTest::newRow("Esc closes it") << QStringList{"calculate", "ctrl+r", "esc"} << 0 << true << "";
    QTest::newRow("closed, then Ctrl+R")
        << QStringList{"calculate", "ctrl+r", "close it", "ctrl+r"} << 1 << true << all;
    QTest::newRow("a switch closes it")
        << QStringList{"calculate", "ctrl+r", "switch"} << 0 << false << "";
    QTest::newRow("the close box ends the program with it")
        << QStringList{"calculate", "ctrl+r", "close box"} << 0 << false << "";
    QTest::newRow("Изход ends the program with it")
        << QStringList{"calculate", "ctrl+r", "exit"} << 0 << false << "";
}

void WindowBehaviour::responseWindowIsOneAndGoesWithItsCalculation()
{
    QFETCH(QStringList, steps);
    QFETCH(int, windows);
    QFETCH(bool, enabled);
    QFETCH(QString, says);
    QLocale::setDefault(QLocale::c());
    auto navigator = std::make_unique<Navigator>();
    navigator->show(Slope::Second);
    QWidget* topLevel = navigator->topLevel();
    QVERIFY(QTest::qWaitForWindowActive(topLevel));
    typeInto(*navigator->current(), fullExample);
    for (const QString& step : steps) {
        CrossoverWindow* window = navigator->current();
        if (step == "calculate") {
            click(window->controls().command1);
        } else if (step == "ctrl+r") {
            pressCtrlR(topLevel, window);
        } else if (step == "menu") {
            chooseFromContextMenu(window);
        } else if (step == "tweeter 0") {
            window->controls().inputs[5]->setText("0");
        } else if (step == "clear") {
            click(window->controls().command2);
        } else if (step == "esc") {
            ResponseWindow* response = window->responseWindow();
            response->activateWindow();
            QTRY_COMPARE(QApplication::activeWindow(), response);
            QTest::keyClick(response->view(), Qt::Key_Escape);
        } else if (step == "close it") {
            window->responseWindow()->close();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        } else if (step == "switch") {
            click(window->controls().command3);
        } else {
            // Both end the program, which takes every window with it.
            QPushButton* exit = window->controls().command5;
            QTimer::singleShot(0, topLevel, [topLevel, exit, step] {
                if (step == "exit")
                    click(exit);
                else
                    topLevel->close();
            });
            QCOMPARE(runEventLoop(), 0);
            navigator.reset();
        }
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    QCOMPARE(responseWindows().size(), windows);
    if (windows == 0) {
        if (navigator) {
            QCOMPARE(navigator->current()->showResponseAction()->isEnabled(), enabled);
            QVERIFY(!navigator->current()->responseWindow());
        }
        return;
    }
    ResponseWindow* response = navigator->current()->responseWindow();
    QCOMPARE(responseWindows().front(), response);
    QVERIFY(response->isVisible());
    QCOMPARE(response->windowTitle(), QStringLiteral("Честотна характеристика"));
    QCOMPARE(response->view()->accessibleName(), QStringLiteral("Честотна характеристика"));
    QVERIFY2(response->view()->accessibleDescription().contains(says),
             qPrintable(response->view()->accessibleDescription()));
    QCOMPARE(navigator->current()->showResponseAction()->isEnabled(), enabled);
}

void WindowBehaviour::responseIsSavedWholeOrNotAtAll_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message"); // empty: saved
    QTest::newRow("SVG") << "plot.svg" << QString();
    QTest::newRow("PNG") << "plot.png" << QString();
    QTest::newRow("missing folder") << "no/such/folder/plot.svg"
                                    << "Графиката не може да се запише в";
    QTest::newRow("a folder of that name") << "."
                                           << "това е папка";
}

void WindowBehaviour::responseIsSavedWholeOrNotAtAll()
{
    QFETCH(QString, name);
    QFETCH(QString, message);
    QTemporaryDir folder;
    const QString path = folder.filePath(name);
    MessageWatcher watcher;
    Form3 window;
    typeInto(window, fullExample);
    click(window.controls().command1);
    window.showResponseAction()->trigger();
    ResponseWindow* response = window.responseWindow();
    QVERIFY(QTest::qWaitForWindowExposed(response));

    response->saveTo(path);

    if (!message.isEmpty()) {
        QCOMPARE(watcher.messages.size(), 1);
        QVERIFY2(watcher.messages.front().text.contains(message),
                 qPrintable(watcher.messages.front().text));
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
        return;
    }
    QVERIFY(watcher.messages.isEmpty());
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{name});
    if (name.endsWith(".png")) {
        QCOMPARE(QImage(path).size(), response->view()->size());
    } else {
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(),
                 QByteArray::fromStdString(svgDocument(response->view()->drawing())));
    }
}

void WindowBehaviour::windowOpensCentredWithTheFocusOnCalculate_data()
{
    addSlopeRows();
}

void WindowBehaviour::windowOpensCentredWithTheFocusOnCalculate()
{
    QFETCH(Slope, slope);
    Navigator navigator;
    navigator.show(slope);
    QWidget* window = navigator.topLevel();
    QVERIFY(QTest::qWaitForWindowExposed(window));

    const QSize clientArea(794, 568);
    QCOMPARE(window->windowTitle(), QStringLiteral("Brelkot v:1.1"));
    QCOMPARE(window->size(), clientArea);
    QCOMPARE(window->minimumSize(), clientArea);
    QCOMPARE(window->maximumSize(), clientArea);
    const Qt::WindowFlags flags = window->windowFlags();
    QVERIFY(flags.testFlags(Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    QCOMPARE(window->windowIcon().availableSizes(),
             (QList<QSize>{QSize(16, 16), QSize(32, 32), QSize(48, 48)}));
    QCOMPARE(navigator.current()->geometry(), QRect(QPoint(0, 0), clientArea));
    QCOMPARE(navigator.current()->window(), window);

    const QString mismatch = centreMismatch(window);
    QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
    QCOMPARE(QApplication::focusWidget(), navigator.current()->controls().command1);
}

void WindowBehaviour::switchingLandsOnAFreshWindowAndLeavesExactlyOne_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("to");
    QTest::newRow("Form1 to Form2") << 1 << "Command3"
                                    << "Form2";
    QTest::newRow("Form1 to Form3") << 1 << "Command4"
                                    << "Form3";
    QTest::newRow("Form2 to Form1") << 2 << "Command3"
                                    << "Form1";
    QTest::newRow("Form2 to Form3") << 2 << "Command4"
                                    << "Form3";
    QTest::newRow("Form3 to Form1") << 3 << "Command3"
                                    << "Form1";
    QTest::newRow("Form3 to Form2") << 3 << "Command4"
                                    << "Form2";
}

namespace {

QPushButton* slopeButton(const CrossoverWindow* window, const QString& command)
{
    return command == "Command3" ? window->controls().command3 : window->controls().command4;
}

} // namespace

void WindowBehaviour::switchingLandsOnAFreshWindowAndLeavesExactlyOne()
{
    QFETCH(int, from);
    QFETCH(QString, command);
    QFETCH(QString, to);
    Navigator navigator;
    // Come to the starting window the way a user would: Form1, then across.
    navigator.show(Slope::First);
    QVERIFY(QTest::qWaitForWindowActive(navigator.topLevel()));
    if (from != 1) {
        click(slopeButton(navigator.current(), from == 2 ? "Command3" : "Command4"));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    QPointer<CrossoverWindow> before = navigator.current();
    QCOMPARE(before->objectName(), QString("Form%1").arg(from));
    // Moved away by the user: the window it switches to shows centred again.
    navigator.topLevel()->move(10, 10);
    typeInto(*before, Typed(7, "5"));

    const ChildCounter counter(navigator.topLevel());
    click(slopeButton(before, command));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    QVERIFY(before.isNull());
    // The old window was off the screen before the new one was built.
    QCOMPARE(counter.mostShown(), 0);
    QCOMPARE(slopeWindows().size(), 1);
    CrossoverWindow* after = navigator.current();
    QCOMPARE(after->objectName(), to);
    QVERIFY(after->isVisible());
    QCOMPARE(QApplication::focusWidget(), after->controls().command1);
    const QString mismatch = centreMismatch(navigator.topLevel());
    QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
    for (const QLineEdit* box : after->findChildren<QLineEdit*>())
        QCOMPARE(box->text(), QString());
    QCOMPARE(after->model().values(), Values{});
}

void WindowBehaviour::inputArrivingInOneBatchLandsOnTheRightWindow_data()
{
    // Each step is "click CONTROL" or "key TEXT", aimed where that control sits
    // in every window, as a user clicks a place on the screen.
    QTest::addColumn<QStringList>("batch");
    QTest::addColumn<QString>("endsIn"); // empty: the program ended
    QTest::addColumn<int>("messages");
    QTest::newRow("switch, then a letter")
        << QStringList{"click Command3", "click Text1", "key a"} << "Form2" << 1;
    QTest::newRow("switch, then an overflowing Calculate")
        << QStringList{"click Command3", "click Command1"} << "Form2" << 0;
    QTest::newRow("two switches, then a letter")
        << QStringList{"click Command3", "click Command4", "click Text1", "key a"} << "Form3" << 1;
    // The message is modal: the click that follows it is refused.
    QTest::newRow("a letter, then a switch")
        << QStringList{"click Text1", "key a", "click Command3"} << "Form1" << 1;
    QTest::newRow("switch, then Изход")
        << QStringList{"click Command3", "click Command5"} << "" << 0;
}

void WindowBehaviour::inputArrivingInOneBatchLandsOnTheRightWindow()
{
    QFETCH(QStringList, batch);
    QFETCH(QString, endsIn);
    QFETCH(int, messages);
    MessageWatcher watcher;
    Navigator navigator;
    navigator.show(Slope::First);
    QWidget* topLevel = navigator.topLevel();
    QVERIFY(QTest::qWaitForWindowActive(topLevel));
    const QPoint startedAt = topLevel->pos();
    // Calculate in this window shows the overflow message.
    const Typed overflowing{"", "", "1", "1", "1" + QString(308, '0')};
    for (int i = 0; i < overflowing.size(); ++i)
        paste(navigator.current()->controls().inputs[i], overflowing[i]);

    // Everything is queued before anything is handled, as on a busy machine.
    QWindow* window = topLevel->windowHandle();
    std::vector<std::unique_ptr<const QPointingDevice>> mice;
    for (const QString& step : batch) {
        const QString what = step.section(' ', 1);
        if (step.startsWith("key")) {
            for (auto type : {QEvent::KeyPress, QEvent::KeyRelease})
                QCoreApplication::postEvent(window, new QKeyEvent(type, Qt::Key_A, {}, what));
            continue;
        }
        QWidget* control = navigator.current()->findChild<QWidget*>(what);
        const QPoint centre = control->rect().center();
        const QPointF at = control->mapTo(topLevel, centre);
        // Events of one device share their point, so each click is made on a
        // mouse of its own, or a later click would move an earlier one.
        const auto* mouse = new QPointingDevice(
            "mouse", mice.size(), QInputDevice::DeviceType::Mouse,
            QPointingDevice::PointerType::Generic, QInputDevice::Capability::Position, 1, 3);
        mice.emplace_back(mouse);
        for (auto type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            const auto buttons = type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton;
            QCoreApplication::postEvent(window,
                                        new QMouseEvent(type, at, control->mapToGlobal(centre),
                                                        Qt::LeftButton, buttons, {}, mouse));
        }
    }

    if (endsIn.isEmpty()) {
        QCOMPARE(runEventLoop(), 0);
        return;
    }
    bool handled = false;
    QMetaObject::invokeMethod(
        qApp, [&handled] { handled = true; }, Qt::QueuedConnection);
    QTRY_VERIFY(handled);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(watcher.messages.size(), messages);
    QCOMPARE(slopeWindows().size(), 1);
    CrossoverWindow* after = navigator.current();
    QCOMPARE(after->objectName(), endsIn);
    QCOMPARE(topLevel->pos(), startedAt);
    if (endsIn != "Form1") {
        for (const QLineEdit* box : after->findChildren<QLineEdit*>())
            QCOMPARE(box->text(), QString());
    }
    // And it goes on working.
    typeInto(*after, {"3000", "8"});
    click(after->controls().command1);
    QVERIFY(!after->controls().results[0]->text().isEmpty());
}

void WindowBehaviour::closingTheWindowEndsTheProgram()
{
    Navigator navigator;
    navigator.show(Slope::Second);
    QPointer<CrossoverWindow> window = navigator.current();
    QWidget* topLevel = navigator.topLevel();

    QTimer::singleShot(0, topLevel, [topLevel] { topLevel->close(); });

    QCOMPARE(runEventLoop(), 0);
    QVERIFY(window.isNull());
    QVERIFY(slopeWindows().isEmpty());
}

void WindowBehaviour::exitButtonEndsTheProgram_data()
{
    addSlopeRows();
}

void WindowBehaviour::exitButtonEndsTheProgram()
{
    QFETCH(Slope, slope);
    Navigator navigator;
    navigator.show(slope);
    QPushButton* exit = navigator.current()->controls().command5;

    QTimer::singleShot(0, exit, [exit] { QTest::mouseClick(exit, Qt::LeftButton); });

    QCOMPARE(runEventLoop(), 0);
}

QTEST_MAIN(WindowBehaviour)
#include "tst_windows.moc"
