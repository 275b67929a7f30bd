#include "application.h"
#include "crossover.h"
#include "form1.h"
#include "form2.h"
#include "form3.h"
#include "messagewatcher.h"
#include "navigator.h"

#include <QApplication>
#include <QClipboard>
#include <QHash>
#include <QLineEdit>
#include <QLocale>
#include <QPointingDevice>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

std::unique_ptr<CrossoverWindow> makeWindow(int order)
{
    return std::unique_ptr<CrossoverWindow>(createWindow(Slope(order - 1)));
}

QLineEdit* box(QWidget* window, const QString& name)
{
    auto* found = window->findChild<QLineEdit*>(name);
    if (!found)
        qFatal("no text box %s", qPrintable(name));
    return found;
}

QPushButton* button(QWidget* window, const QString& name)
{
    auto* found = window->findChild<QPushButton*>(name);
    if (!found)
        qFatal("no button %s", qPrintable(name));
    return found;
}

void paste(QLineEdit* target, const QString& text)
{
    QGuiApplication::clipboard()->setText(text);
    target->selectAll();
    QTest::keyClick(target, Qt::Key_V, Qt::ControlModifier);
}

double storedValue(const WindowModel& model, const QString& box, int order)
{
    static const QStringList boxesByValue[] = {
        {"Text1", "Text2", "Text4", "Text5", "Text6", "Text9", "Text10"},
        {"Text1", "Text2", "Text5", "Text6", "Text7", "Text12", "Text13"},
        {"Text1", "Text2", "Text6", "Text7", "Text8", "Text15", "Text16"},
    };
    const double values[] = {model.fc,   model.rvg, model.fc1, model.fc2,
                             model.rvg1, model.fc3, model.rvg2};
    const auto index = boxesByValue[order - 1].indexOf(box);
    if (index < 0)
        qFatal("%s is no entry box", qPrintable(box));
    return values[index];
}

// Every slope window in existence, top-level or inside another.
QList<CrossoverWindow*> slopeWindows()
{
    QList<CrossoverWindow*> windows;
    for (QWidget* widget : QApplication::allWidgets()) {
        if (auto* window = qobject_cast<CrossoverWindow*>(widget))
            windows << window;
    }
    return windows;
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

using Entries = QList<QPair<QString, QString>>;
using Results = QMap<QString, QString>;

const QStringList entryBoxes[] = {
    {"Text1", "Text2", "Text4", "Text5", "Text6", "Text9", "Text10"},
    {"Text1", "Text2", "Text5", "Text6", "Text7", "Text12", "Text13"},
    {"Text1", "Text2", "Text6", "Text7", "Text8", "Text15", "Text16"},
};
const int boxCount[] = {11, 15, 19};

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
    void windowOpensCentredWithTheFocusOnCalculate_data();
    void windowOpensCentredWithTheFocusOnCalculate();
    void switchingLandsOnAFreshWindowAndLeavesExactlyOne_data();
    void switchingLandsOnAFreshWindowAndLeavesExactlyOne();
    void inputArrivingInOneBatchLandsOnTheRightWindow_data();
    void inputArrivingInOneBatchLandsOnTheRightWindow();
    void closingTheWindowEndsTheProgram();
    void exitButtonEndsTheProgram_data();
    void exitButtonEndsTheProgram();

private:
    void typeEntries(CrossoverWindow* window, const Entries& entries);
};

void WindowBehaviour::initTestCase()
{
    identifyApplication();
}

void WindowBehaviour::typeEntries(CrossoverWindow* window, const Entries& entries)
{
    for (const auto& [name, text] : entries)
        QTest::keyClicks(box(window, name), text);
}

void WindowBehaviour::typingStoresEveryIntermediateNumber_data()
{
    QTest::addColumn<int>("order");
    QTest::addColumn<QString>("entry");
    for (int order = 1; order <= 3; ++order) {
        for (const QString& name : entryBoxes[order - 1])
            QTest::addRow("Form%d/%s", order, qPrintable(name)) << order << name;
    }
}

void WindowBehaviour::typingStoresEveryIntermediateNumber()
{
    QFETCH(int, order);
    QFETCH(QString, entry);
    MessageWatcher watcher;
    auto window = makeWindow(order);
    QLineEdit* target = box(window.get(), entry);

    QTest::keyClicks(target, "12");
    QCOMPARE(storedValue(window->model(), entry, order), 12.0);
    QTest::keyClick(target, Qt::Key_Backspace);
    QCOMPARE(storedValue(window->model(), entry, order), 1.0);
    QTest::keyClick(target, Qt::Key_Backspace);
    QCOMPARE(target->text(), QString());
    QCOMPARE(storedValue(window->model(), entry, order), 1.0);

    QTest::keyClicks(target, "12");
    target->selectAll();
    QTest::keyClick(target, Qt::Key_Delete);
    QCOMPARE(storedValue(window->model(), entry, order), 12.0);
    QVERIFY(watcher.messages.isEmpty());
}

void WindowBehaviour::rejectedTextEmptiesTheBoxAndShowsOneMessage_data()
{
    QTest::addColumn<int>("order");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("text");
    for (int order = 1; order <= 3; ++order) {
        for (const QString& name : entryBoxes[order - 1])
            QTest::addRow("Form%d/%s/12a", order, qPrintable(name)) << order << name << "12a";
    }
    for (const char* text : {"12.5", "12,5", "-5", "+5", "1e3", "abc", "5Ω", " 5", "5 ", "５"})
        QTest::addRow("Form1/Text1/%s", text) << 1 << "Text1" << QString::fromUtf8(text);
}

void WindowBehaviour::rejectedTextEmptiesTheBoxAndShowsOneMessage()
{
    QFETCH(int, order);
    QFETCH(QString, entry);
    QFETCH(QString, text);
    MessageWatcher watcher;
    auto window = makeWindow(order);
    QLineEdit* target = box(window.get(), entry);
    QTest::keyClicks(target, "7");

    paste(target, text);

    QCOMPARE(target->text(), QString());
    QCOMPARE(storedValue(window->model(), entry, order), 7.0);
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
    QTest::addColumn<int>("order");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<bool>("tolerant");
    QTest::addColumn<QString>("oversized");
    const QString justTooLarge = "1" + QString(309, '0');
    const QString hundredThousandDigits = QString(100000, '9');
    for (int order = 1; order <= 3; ++order) {
        for (const QString& name : entryBoxes[order - 1]) {
            const bool tolerant = order == 1 && name == "Text4";
            QTest::addRow("Form%d/%s/310 digits", order, qPrintable(name))
                << order << name << tolerant << justTooLarge;
            QTest::addRow("Form%d/%s/100000 digits", order, qPrintable(name))
                << order << name << tolerant << hundredThousandDigits;
        }
    }
}

void WindowBehaviour::oversizedNumberIsKeptOnlyByTheTolerantBox()
{
    QFETCH(int, order);
    QFETCH(QString, entry);
    QFETCH(bool, tolerant);
    QFETCH(QString, oversized);
    MessageWatcher watcher;
    auto window = makeWindow(order);
    QLineEdit* target = box(window.get(), entry);
    QTest::keyClicks(target, "7");

    paste(target, oversized);

    QCOMPARE(storedValue(window->model(), entry, order), 7.0);
    QCOMPARE(target->text(), tolerant ? oversized : QString());
    QCOMPARE(watcher.messages.size(), tolerant ? 0 : 1);
}

void WindowBehaviour::outputBoxesTakeNoTyping_data()
{
    QTest::addColumn<int>("order");
    QTest::addColumn<QString>("output");
    for (int order = 1; order <= 3; ++order) {
        for (int i = 1; i <= boxCount[order - 1]; ++i) {
            const QString name = QString("Text%1").arg(i);
            if (!entryBoxes[order - 1].contains(name))
                QTest::addRow("Form%d/%s", order, qPrintable(name)) << order << name;
        }
    }
}

void WindowBehaviour::outputBoxesTakeNoTyping()
{
    QFETCH(int, order);
    QFETCH(QString, output);
    auto window = makeWindow(order);
    window->show();
    QLineEdit* target = box(window.get(), output);

    QTest::mouseClick(target, Qt::LeftButton);
    QTest::keyClicks(target, "5");
    QVERIFY(!target->hasFocus());
    QCOMPARE(target->text(), QString());
}

void WindowBehaviour::calculateWritesEachResultIntoItsBox_data()
{
    QTest::addColumn<int>("order");
    QTest::addColumn<Entries>("entries");
    QTest::addColumn<Results>("results");

    QTest::newRow("Form1")
        << 1 << Entries{{"Text1", "3000"}, {"Text2", "8"},    {"Text4", "500"}, {"Text5", "5000"},
                        {"Text6", "8"},    {"Text9", "5000"}, {"Text10", "6"}}
        << Results{{"Text3", "0.42"}, {"Text7", "39.81"}, {"Text8", "0.25"}, {"Text11", "5.31"}};
    QTest::newRow("Form1/midrange without fc2")
        << 1 << Entries{{"Text4", "500"}, {"Text6", "8"}} << Results{};
    QTest::newRow("Form2") << 2 << Entries{{"Text1", "3000"}, {"Text2", "8"}, {"Text5", "500"},
                                           {"Text6", "5000"}, {"Text7", "8"}, {"Text12", "5000"},
                                           {"Text13", "6"}}
                           << Results{{"Text3", "4.69"},  {"Text4", "0.6"},   {"Text8", "28.15"},
                                      {"Text9", "2.81"},  {"Text10", "0.36"}, {"Text11", "3.6"},
                                      {"Text14", "3.75"}, {"Text15", "0.27"}};
    QTest::newRow("Form3") << 3 << Entries{{"Text1", "500"},  {"Text2", "8"}, {"Text6", "500"},
                                           {"Text7", "3000"}, {"Text8", "8"}, {"Text15", "3000"},
                                           {"Text16", "8"}}
                           << Results{{"Text3", "53.08"}, {"Text4", "3.82"},   {"Text5", "1.27"},
                                      {"Text9", "26.54"}, {"Text10", "79.62"}, {"Text11", "8.85"},
                                      {"Text12", "0.64"}, {"Text13", "0.21"},  {"Text14", "1.91"},
                                      {"Text17", "4.42"}, {"Text18", "13.27"}, {"Text19", "0.32"}};
}

void WindowBehaviour::calculateWritesEachResultIntoItsBox()
{
    QFETCH(int, order);
    QFETCH(Entries, entries);
    QFETCH(Results, results);
    QLocale::setDefault(QLocale::c());
    auto window = makeWindow(order);
    typeEntries(window.get(), entries);

    QTest::mouseClick(button(window.get(), "Command1"), Qt::LeftButton);

    for (int i = 1; i <= boxCount[order - 1]; ++i) {
        const QString name = QString("Text%1").arg(i);
        QString expected = results.value(name);
        for (const auto& [entry, text] : entries) {
            if (entry == name)
                expected = text;
        }
        QCOMPARE(box(window.get(), name)->text(), expected);
    }
}

void WindowBehaviour::resultsUseTheLocalesDecimalSeparator()
{
    QLocale::setDefault(QLocale(QLocale::Bulgarian, QLocale::Bulgaria));
    Form1 window;
    typeEntries(&window, {{"Text4", "500"}, {"Text5", "5000"}, {"Text6", "8"}});
    QTest::mouseClick(button(&window, "Command1"), Qt::LeftButton);
    QLocale::setDefault(QLocale::c());
    QCOMPARE(box(&window, "Text7")->text(), QString("39,81"));
    QCOMPARE(box(&window, "Text8")->text(), QString("0,25"));
}

void WindowBehaviour::resultsStayReadableInLightAndDarkPalettes_data()
{
    QTest::addColumn<int>("order");
    QTest::addColumn<bool>("dark");
    for (const bool dark : {false, true}) {
        for (int order = 1; order <= 3; ++order)
            QTest::addRow("%s/Form%d", dark ? "dark" : "light", order) << order << dark;
    }
}

void WindowBehaviour::resultsStayReadableInLightAndDarkPalettes()
{
    QFETCH(int, order);
    QFETCH(bool, dark);
    const QPalette light = QApplication::palette();
    const auto restore = qScopeGuard([light] { QApplication::setPalette(light); });
    // Qt's own palette for a dark window face: light text on black boxes.
    if (dark)
        QApplication::setPalette(QPalette(QColor(53, 53, 53), QColor(53, 53, 53)));
    auto window = makeWindow(order);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    const QStringList example = {"500", "8", "500", "3000", "8", "3000", "8"};
    for (int i = 0; i < example.size(); ++i)
        QTest::keyClicks(box(window.get(), entryBoxes[order - 1][i]), example[i]);

    QTest::mouseClick(button(window.get(), "Command1"), Qt::LeftButton);

    for (int i = 1; i <= boxCount[order - 1]; ++i) {
        const QString name = QString("Text%1").arg(i);
        if (entryBoxes[order - 1].contains(name))
            continue;
        QLineEdit* output = box(window.get(), name);
        QVERIFY(!output->text().isEmpty());
        QVERIFY(!output->isEnabled());
        const double contrast = textContrast(output);
        QVERIFY2(contrast >= 4.5, qPrintable(QString("%1: %2 : 1").arg(name).arg(contrast)));
    }
}

void WindowBehaviour::clearEmptiesEveryBoxAndResetsTheValues_data()
{
    QTest::addColumn<int>("order");
    QTest::newRow("Form1") << 1;
    QTest::newRow("Form2") << 2;
    QTest::newRow("Form3") << 3;
}

void WindowBehaviour::clearEmptiesEveryBoxAndResetsTheValues()
{
    QFETCH(int, order);
    MessageWatcher watcher;
    auto window = makeWindow(order);
    for (const QString& name : entryBoxes[order - 1])
        QTest::keyClicks(box(window.get(), name), "5");
    QTest::mouseClick(button(window.get(), "Command1"), Qt::LeftButton);

    QTest::mouseClick(button(window.get(), "Command2"), Qt::LeftButton);

    for (int i = 1; i <= boxCount[order - 1]; ++i)
        QCOMPARE(box(window.get(), QString("Text%1").arg(i))->text(), QString());
    for (const QString& name : entryBoxes[order - 1])
        QCOMPARE(storedValue(window->model(), name, order), 0.0);
    QVERIFY(watcher.messages.isEmpty());

    // Nothing is left to calculate.
    QTest::mouseClick(button(window.get(), "Command1"), Qt::LeftButton);
    for (int i = 1; i <= boxCount[order - 1]; ++i)
        QCOMPARE(box(window.get(), QString("Text%1").arg(i))->text(), QString());
}

void WindowBehaviour::resultTooLargeShowsAMessageAndKeepsEarlierResults()
{
    QLocale::setDefault(QLocale::c());
    MessageWatcher watcher;
    Form1 window;
    typeEntries(&window, {{"Text1", "3000"},
                          {"Text2", "8"},
                          {"Text4", "1"},
                          {"Text5", "1"},
                          {"Text6", "1" + QString(308, '0')},
                          {"Text9", "5000"},
                          {"Text10", "6"}});

    QTest::mouseClick(button(&window, "Command1"), Qt::LeftButton);

    QCOMPARE(watcher.texts(), QStringList{"Резултатът е твърде голям"});
    QCOMPARE(watcher.messages.first().title, QString(" Error !!"));
    QCOMPARE(box(&window, "Text3")->text(), QString("0.42"));
    QCOMPARE(box(&window, "Text7")->text(), QString("0"));
    QCOMPARE(box(&window, "Text8")->text(), QString());
    QCOMPARE(box(&window, "Text11")->text(), QString());
    QCOMPARE(window.model().rvg1, 1e308);
}

void WindowBehaviour::extremeResultsShowAsTheRulesSay_data()
{
    QTest::addColumn<int>("order");
    QTest::addColumn<Entries>("entries");
    QTest::addColumn<Results>("results");
    QTest::addColumn<bool>("overflow");
    const QString e20 = "1" + QString(20, '0');
    const QString e308 = "1" + QString(308, '0');

    QTest::newRow("Form1/exponent form") << 1 << Entries{{"Text1", "1"}, {"Text2", e20}}
                                         << Results{{"Text3", "1.59235668789809E+22"}} << false;
    QTest::newRow("Form2/exponent form and underflow")
        << 2 << Entries{{"Text1", "1"}, {"Text2", e20}}
        << Results{{"Text3", "0"}, {"Text4", "2.25193242416098E+22"}} << false;
    QTest::newRow("Form3/exponent form and underflow")
        << 3 << Entries{{"Text1", "1"}, {"Text2", e20}}
        << Results{{"Text3", "0"},
                   {"Text4", "2.38853503184713E+22"},
                   {"Text5", "7.96178343949044E+21"}}
        << false;
    QTest::newRow("Form1/overflow") << 1 << Entries{{"Text4", "1"}, {"Text5", "1"}, {"Text6", e308}}
                                    << Results{{"Text7", "0"}} << true;
    QTest::newRow("Form2/overflow")
        << 2 << Entries{{"Text1", "1"}, {"Text2", e308}} << Results{{"Text3", "0"}} << true;
    QTest::newRow("Form3/overflow")
        << 3 << Entries{{"Text1", "1"}, {"Text2", e308}} << Results{{"Text3", "0"}} << true;
}

void WindowBehaviour::extremeResultsShowAsTheRulesSay()
{
    QFETCH(int, order);
    QFETCH(Entries, entries);
    QFETCH(Results, results);
    QFETCH(bool, overflow);
    QLocale::setDefault(QLocale::c());
    MessageWatcher watcher;
    auto window = makeWindow(order);
    for (const auto& [name, text] : entries)
        paste(box(window.get(), name), text);

    QTest::mouseClick(button(window.get(), "Command1"), Qt::LeftButton);

    QCOMPARE(watcher.texts(), overflow ? QStringList{"Резултатът е твърде голям"} : QStringList{});
    for (int i = 1; i <= boxCount[order - 1]; ++i) {
        const QString name = QString("Text%1").arg(i);
        if (!entryBoxes[order - 1].contains(name))
            QCOMPARE(box(window.get(), name)->text(), results.value(name));
    }

    // The window goes on working after the message.
    QTest::mouseClick(button(window.get(), "Command2"), Qt::LeftButton);
    typeEntries(window.get(), {{entryBoxes[order - 1][0], "3000"}, {"Text2", "8"}});
    QTest::mouseClick(button(window.get(), "Command1"), Qt::LeftButton);
    QVERIFY(!box(window.get(), "Text3")->text().isEmpty());
}

void WindowBehaviour::longLeadingZerosStoreTheNumber()
{
    MessageWatcher watcher;
    Form3 window;
    paste(box(&window, "Text16"), QString(100000, '0') + "6");
    QCOMPARE(window.model().rvg2, 6.0);
    QVERIFY(watcher.messages.isEmpty());
}

void WindowBehaviour::windowOpensCentredWithTheFocusOnCalculate_data()
{
    clearEmptiesEveryBoxAndResetsTheValues_data();
}

void WindowBehaviour::windowOpensCentredWithTheFocusOnCalculate()
{
    QFETCH(int, order);
    Navigator navigator;
    navigator.show(Slope(order - 1));
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
    QCOMPARE(QApplication::focusWidget(), button(navigator.current(), "Command1"));
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
        QTest::mouseClick(button(navigator.current(), from == 2 ? "Command3" : "Command4"),
                          Qt::LeftButton);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    QPointer<CrossoverWindow> before = navigator.current();
    QCOMPARE(before->objectName(), QString("Form%1").arg(from));
    // Moved away by the user: the window it switches to shows centred again.
    navigator.topLevel()->move(10, 10);
    for (const QString& name : entryBoxes[from - 1])
        QTest::keyClicks(box(before, name), "5");

    const ChildCounter counter(navigator.topLevel());
    QTest::mouseClick(button(before, command), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    QVERIFY(before.isNull());
    // The old window was off the screen before the new one was built.
    QCOMPARE(counter.mostShown(), 0);
    QCOMPARE(slopeWindows().size(), 1);
    CrossoverWindow* after = navigator.current();
    QCOMPARE(after->objectName(), to);
    QVERIFY(after->isVisible());
    QCOMPARE(QApplication::focusWidget(), button(after, "Command1"));
    const QString mismatch = centreMismatch(navigator.topLevel());
    QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
    const int order = to.right(1).toInt();
    for (int i = 1; i <= boxCount[order - 1]; ++i)
        QCOMPARE(box(after, QString("Text%1").arg(i))->text(), QString());
    for (const QString& name : entryBoxes[order - 1])
        QCOMPARE(storedValue(after->model(), name, order), 0.0);
}

namespace {

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

} // namespace

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
    const Entries overflowing{{"Text4", "1"}, {"Text5", "1"}, {"Text6", "1" + QString(308, '0')}};
    for (const auto& [name, text] : overflowing)
        paste(box(navigator.current(), name), text);

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
        for (int i = 1; i <= 3; ++i)
            QCOMPARE(box(after, QString("Text%1").arg(i))->text(), QString());
    }
    // And it goes on working.
    typeEntries(after, {{"Text1", "3000"}, {"Text2", "8"}});
    QTest::mouseClick(button(after, "Command1"), Qt::LeftButton);
    QVERIFY(!box(after, "Text3")->text().isEmpty());
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
    clearEmptiesEveryBoxAndResetsTheValues_data();
}

void WindowBehaviour::exitButtonEndsTheProgram()
{
    QFETCH(int, order);
    Navigator navigator;
    navigator.show(Slope(order - 1));
    QPushButton* exit = button(navigator.current(), "Command5");

    QTimer::singleShot(0, exit, [exit] { QTest::mouseClick(exit, Qt::LeftButton); });

    QCOMPARE(runEventLoop(), 0);
}

QTEST_MAIN(WindowBehaviour)
#include "tst_windows.moc"
