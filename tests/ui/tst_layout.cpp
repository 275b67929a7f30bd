#include "application.h"
#include "navigator.h"
#include "slopecolumns.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

#include <limits>
#include <memory>
#include <span>
#include <string>

namespace {

// The window of its name: Form1, Form2 or Form3.
std::unique_ptr<QWidget> makeWindow(const QString& name)
{
    return std::unique_ptr<QWidget>(createWindow(Slope(name.right(1).toInt() - 1)));
}

enum class Kind
{
    Frame,
    Button,
    Entry,   // enabled text box
    Output,  // disabled text box
    Label,   // row label or unit
    Heading, // centred over the entry or result rows
    Title,   // Label1, the wrapped title text
    Picture,
    Line
};

// Positions and sizes in twips, as the layout is drawn; 15 twips make one pixel.
struct Control
{
    const char* name;
    Kind kind;
    const char* parent;  // nullptr: placed on the window
    const char* caption; // text boxes: their row label and unit
    int left, top, width, height;
};

struct LineEnds
{
    const char* name;
    int x1, y1, x2, y2;
};

struct Counts
{
    int frames, buttons, textBoxes, labels, pictures, lines;
};

struct Layout
{
    const char* window;
    std::span<const Control> controls;
    std::span<const char* const> tabCycle;
    Counts counts;
};

constexpr int twipsPerPixel = 15;

using enum Kind;

const Control form1Controls[] = {
    {"Frame1", Frame, nullptr, "Ниски", 120, 120, 3255, 8295},
    {"Frame2", Frame, nullptr, "Среди", 3480, 120, 3255, 8295},
    {"Frame3", Frame, nullptr, "Високи", 6840, 120, 3255, 8295},
    {"Image7", Picture, nullptr, nullptr, 10320, 360, 1350, 1305},
    {"Command1", Button, nullptr, "Изчисли", 10320, 1920, 1335, 255},
    {"Command2", Button, nullptr, "Изчисти", 10320, 2400, 1335, 255},
    {"Command3", Button, nullptr, "12 dB / Oct", 10320, 2880, 1335, 255},
    {"Command4", Button, nullptr, "18 dB / Oct", 10320, 3360, 1335, 255},
    {"Label1", Title, nullptr, nullptr, 10320, 6360, 1335, 1695},
    {"Command5", Button, nullptr, "Изход", 10320, 8040, 1335, 255},

    {"Image1", Picture, "Frame1", nullptr, 120, 240, 3030, 2280},
    {"Image2", Picture, "Frame1", nullptr, 120, 2640, 3030, 2280},
    {"Label2", Heading, "Frame1", "Необходими данни", 120, 5040, 3015, 255},
    {"Label9", Label, "Frame1", "fc", 600, 5280, 135, 255},
    {"Text1", Entry, "Frame1", "fc Hz", 840, 5280, 1455, 195},
    {"Label10", Label, "Frame1", "Hz", 2400, 5280, 255, 255},
    {"Label11", Label, "Frame1", "Rвг", 480, 5520, 255, 255},
    {"Text2", Entry, "Frame1", "Rвг Ом", 840, 5520, 1455, 195},
    {"Label12", Label, "Frame1", "Ом", 2400, 5520, 255, 255},
    {"Label5", Heading, "Frame1", "Резултат", 120, 5760, 3015, 255},
    {"Label13", Label, "Frame1", "L", 600, 6000, 135, 255},
    {"Text3", Output, "Frame1", "L mH", 840, 6000, 1455, 195},
    {"Label14", Label, "Frame1", "mH", 2400, 6000, 255, 255},

    {"Image3", Picture, "Frame2", nullptr, 120, 240, 3030, 2280},
    {"Image4", Picture, "Frame2", nullptr, 120, 2640, 3030, 2280},
    {"Label3", Heading, "Frame2", "Необходими данни", 120, 5040, 3015, 255},
    {"Label15", Label, "Frame2", "fc1", 600, 5280, 255, 255},
    {"Text4", Entry, "Frame2", "fc1 Hz", 960, 5280, 1455, 195},
    {"Label16", Label, "Frame2", "Hz", 2520, 5280, 255, 255},
    {"Label17", Label, "Frame2", "fc2", 600, 5520, 255, 255},
    {"Text5", Entry, "Frame2", "fc2 Hz", 960, 5520, 1455, 195},
    {"Label18", Label, "Frame2", "Hz", 2520, 5520, 255, 255},
    {"Label19", Label, "Frame2", "Rвг", 600, 5760, 255, 255},
    {"Text6", Entry, "Frame2", "Rвг Ом", 960, 5760, 1455, 195},
    {"Label20", Label, "Frame2", "Ом", 2520, 5760, 255, 255},
    {"Label7", Heading, "Frame2", "Резултат", 120, 6000, 3015, 255},
    {"Label21", Label, "Frame2", "C", 720, 6240, 255, 255},
    {"Text7", Output, "Frame2", "C µF", 960, 6240, 1455, 195},
    {"Label22", Label, "Frame2", "µF", 2520, 6240, 255, 255},
    {"Label23", Label, "Frame2", "L", 720, 6480, 135, 255},
    {"Text8", Output, "Frame2", "L mH", 960, 6480, 1455, 195},
    {"Label24", Label, "Frame2", "mH", 2520, 6480, 255, 255},

    {"Image5", Picture, "Frame3", nullptr, 120, 240, 3030, 2280},
    {"Image6", Picture, "Frame3", nullptr, 120, 2640, 3030, 2280},
    {"Label4", Heading, "Frame3", "Необходими данни", 120, 5040, 3015, 255},
    {"Label25", Label, "Frame3", "fc", 720, 5280, 255, 255},
    {"Text9", Entry, "Frame3", "fc Hz", 960, 5280, 1455, 195},
    {"Label26", Label, "Frame3", "Hz", 2520, 5280, 255, 255},
    {"Label27", Label, "Frame3", "Rвг", 600, 5520, 375, 255},
    {"Text10", Entry, "Frame3", "Rвг Ом", 960, 5520, 1455, 195},
    {"Label28", Label, "Frame3", "Ом", 2520, 5520, 255, 255},
    {"Label8", Heading, "Frame3", "Резултат", 120, 5760, 3015, 255},
    {"Label29", Label, "Frame3", "C", 720, 6000, 135, 255},
    {"Text11", Output, "Frame3", "C µF", 960, 6000, 1455, 195},
    {"Label30", Label, "Frame3", "µF", 2520, 6000, 255, 255},
};

const Control form2Controls[] = {
    {"Frame1", Frame, nullptr, "Ниски", 120, 120, 3255, 8295},
    {"Frame2", Frame, nullptr, "Среди", 3480, 120, 3255, 8295},
    {"Frame3", Frame, nullptr, "Високи", 6840, 120, 3255, 8295},
    {"Image7", Picture, nullptr, nullptr, 10320, 360, 1350, 1320},
    {"Command1", Button, nullptr, "Изчисли", 10320, 1920, 1335, 255},
    {"Command2", Button, nullptr, "Изчисти", 10320, 2400, 1335, 255},
    {"Command3", Button, nullptr, "6 dB / Oct", 10320, 2880, 1335, 255},
    {"Command4", Button, nullptr, "18 dB / Oct", 10320, 3360, 1335, 255},
    {"Label1", Title, nullptr, nullptr, 10320, 6360, 1335, 1695},
    {"Command5", Button, nullptr, "Изход", 10320, 8040, 1335, 255},

    {"Image1", Picture, "Frame1", nullptr, 120, 240, 3030, 2280},
    {"Image2", Picture, "Frame1", nullptr, 120, 2640, 3030, 2280},
    {"Label2", Heading, "Frame1", "Необходими данни", 120, 5040, 3015, 255},
    {"Label9", Label, "Frame1", "fc", 600, 5280, 135, 255},
    {"Text1", Entry, "Frame1", "fc Hz", 840, 5280, 1455, 195},
    {"Label10", Label, "Frame1", "Hz", 2400, 5280, 255, 255},
    {"Label11", Label, "Frame1", "Rвг", 480, 5520, 375, 255},
    {"Text2", Entry, "Frame1", "Rвг Ом", 840, 5520, 1455, 195},
    {"Label12", Label, "Frame1", "Ом", 2400, 5520, 255, 255},
    {"Label5", Heading, "Frame1", "Резултат", 120, 5760, 3015, 255},
    {"Label6", Label, "Frame1", "C", 600, 6000, 135, 255},
    {"Text3", Output, "Frame1", "C µF", 840, 6000, 1455, 195},
    {"Label31", Label, "Frame1", "µF", 2400, 6000, 255, 255},
    {"Label13", Label, "Frame1", "L", 600, 6240, 135, 255},
    {"Text4", Output, "Frame1", "L mH", 840, 6240, 1455, 195},
    {"Label14", Label, "Frame1", "mH", 2400, 6240, 255, 255},

    {"Image3", Picture, "Frame2", nullptr, 120, 240, 3030, 2280},
    {"Image4", Picture, "Frame2", nullptr, 120, 2640, 3030, 2280},
    {"Label3", Heading, "Frame2", "Необходими данни", 120, 5040, 3015, 255},
    {"Label15", Label, "Frame2", "fc1", 600, 5280, 255, 255},
    {"Text5", Entry, "Frame2", "fc1 Hz", 960, 5280, 1455, 195},
    {"Label16", Label, "Frame2", "Hz", 2520, 5280, 255, 255},
    {"Label17", Label, "Frame2", "fc2", 600, 5520, 255, 255},
    {"Text6", Entry, "Frame2", "fc2 Hz", 960, 5520, 1455, 195},
    {"Label18", Label, "Frame2", "Hz", 2520, 5520, 255, 255},
    {"Label19", Label, "Frame2", "Rвг", 600, 5760, 375, 255},
    {"Text7", Entry, "Frame2", "Rвг Ом", 960, 5760, 1455, 195},
    {"Label20", Label, "Frame2", "Ом", 2520, 5760, 255, 255},
    {"Label7", Heading, "Frame2", "Резултат", 120, 6000, 3015, 255},
    {"Label21", Label, "Frame2", "C1", 600, 6240, 255, 255},
    {"Text8", Output, "Frame2", "C1 µF", 960, 6240, 1455, 195},
    {"Label22", Label, "Frame2", "µF", 2520, 6240, 255, 255},
    {"Label32", Label, "Frame2", "C2", 600, 6480, 255, 255},
    {"Text9", Output, "Frame2", "C2 µF", 960, 6480, 1455, 195},
    {"Label33", Label, "Frame2", "µF", 2520, 6480, 255, 255},
    {"Label23", Label, "Frame2", "L1", 600, 6720, 255, 255},
    {"Text10", Output, "Frame2", "L1 mH", 960, 6720, 1455, 195},
    {"Label24", Label, "Frame2", "mH", 2520, 6720, 255, 255},
    {"Label34", Label, "Frame2", "L2", 600, 6960, 255, 255},
    {"Text11", Output, "Frame2", "L2 mH", 960, 6960, 1455, 195},
    {"Label35", Label, "Frame2", "mH", 2520, 6960, 255, 255},

    {"Image5", Picture, "Frame3", nullptr, 120, 240, 3030, 2280},
    {"Image6", Picture, "Frame3", nullptr, 120, 2640, 3030, 2280},
    {"Label4", Heading, "Frame3", "Необходими данни", 120, 5040, 3015, 255},
    {"Label25", Label, "Frame3", "fc", 720, 5280, 255, 255},
    {"Text12", Entry, "Frame3", "fc Hz", 960, 5280, 1455, 195},
    {"Label26", Label, "Frame3", "Hz", 2520, 5280, 255, 255},
    {"Label27", Label, "Frame3", "Rвг", 600, 5520, 375, 255},
    {"Text13", Entry, "Frame3", "Rвг Ом", 960, 5520, 1455, 195},
    {"Label28", Label, "Frame3", "Ом", 2520, 5520, 255, 255},
    {"Label8", Heading, "Frame3", "Резултат", 120, 5760, 3015, 255},
    {"Label29", Label, "Frame3", "C", 720, 6000, 135, 255},
    {"Text14", Output, "Frame3", "C µF", 960, 6000, 1455, 195},
    {"Label30", Label, "Frame3", "µF", 2520, 6000, 255, 255},
    {"Label36", Label, "Frame3", "L", 720, 6240, 135, 255},
    {"Text15", Output, "Frame3", "L mH", 960, 6240, 1455, 195},
    {"Label37", Label, "Frame3", "mH", 2520, 6240, 255, 255},
};

const Control form3Controls[] = {
    {"Frame1", Frame, nullptr, "Ниски", 120, 120, 3255, 8295},
    {"Frame2", Frame, nullptr, "Среди", 3480, 120, 3255, 8295},
    {"Frame3", Frame, nullptr, "Високи", 6840, 120, 3255, 8295},
    {"Image7", Picture, nullptr, nullptr, 10320, 360, 1350, 1320},
    {"Command1", Button, nullptr, "Изчисли", 10320, 1920, 1335, 255},
    {"Command2", Button, nullptr, "Изчисти", 10320, 2400, 1335, 255},
    {"Command3", Button, nullptr, "6 dB / Oct", 10320, 2880, 1335, 255},
    {"Command4", Button, nullptr, "12 dB / Oct", 10320, 3360, 1335, 255},
    {"Label1", Title, nullptr, nullptr, 10320, 6360, 1335, 1695},
    {"Command5", Button, nullptr, "Изход", 10320, 8040, 1335, 255},

    {"Image1", Picture, "Frame1", nullptr, 120, 240, 3030, 2280},
    {"Image2", Picture, "Frame1", nullptr, 120, 2640, 3030, 2280},
    {"Label2", Heading, "Frame1", "Необходими данни", 120, 5040, 3015, 255},
    {"Label9", Label, "Frame1", "fc", 600, 5280, 135, 255},
    {"Text1", Entry, "Frame1", "fc Hz", 840, 5280, 1455, 195},
    {"Label10", Label, "Frame1", "Hz", 2400, 5280, 255, 255},
    {"Label11", Label, "Frame1", "Rвг", 480, 5520, 255, 255},
    {"Text2", Entry, "Frame1", "Rвг Ом", 840, 5520, 1455, 195},
    {"Label12", Label, "Frame1", "Ом", 2400, 5520, 255, 255},
    {"Label5", Heading, "Frame1", "Резултат", 120, 5760, 3015, 255},
    {"Label13", Label, "Frame1", "C", 480, 6000, 135, 255},
    {"Text3", Output, "Frame1", "C µF", 840, 6000, 1455, 195},
    {"Label14", Label, "Frame1", "µF", 2400, 6000, 255, 255},
    {"Label38", Label, "Frame1", "L1", 480, 6240, 255, 255},
    {"Text4", Output, "Frame1", "L1 mH", 840, 6240, 1455, 195},
    {"Label39", Label, "Frame1", "mH", 2400, 6240, 255, 255},
    {"Label40", Label, "Frame1", "L2", 480, 6480, 255, 255},
    {"Text5", Output, "Frame1", "L2 mH", 840, 6480, 1455, 195},
    {"Label41", Label, "Frame1", "mH", 2400, 6480, 255, 255},

    {"Image3", Picture, "Frame2", nullptr, 120, 240, 3030, 2280},
    {"Image4", Picture, "Frame2", nullptr, 120, 2640, 3030, 2280},
    {"Label3", Heading, "Frame2", "Необходими данни", 120, 5040, 3015, 255},
    {"Label15", Label, "Frame2", "fc1", 600, 5280, 255, 255},
    {"Text6", Entry, "Frame2", "fc1 Hz", 960, 5280, 1455, 195},
    {"Label16", Label, "Frame2", "Hz", 2520, 5280, 255, 255},
    {"Label17", Label, "Frame2", "fc2", 600, 5520, 255, 255},
    {"Text7", Entry, "Frame2", "fc2 Hz", 960, 5520, 1455, 195},
    {"Label18", Label, "Frame2", "Hz", 2520, 5520, 255, 255},
    {"Label19", Label, "Frame2", "Rвг", 600, 5760, 255, 255},
    {"Text8", Entry, "Frame2", "Rвг Ом", 960, 5760, 1455, 195},
    {"Label20", Label, "Frame2", "Ом", 2520, 5760, 255, 255},
    {"Label7", Heading, "Frame2", "Резултат", 120, 6000, 3015, 255},
    {"Label21", Label, "Frame2", "C1", 600, 6240, 255, 255},
    {"Text9", Output, "Frame2", "C1 µF", 960, 6240, 1455, 195},
    {"Label22", Label, "Frame2", "µF", 2520, 6240, 255, 255},
    {"Label6", Label, "Frame2", "C2", 600, 6480, 255, 255},
    {"Text10", Output, "Frame2", "C2 µF", 960, 6480, 1455, 195},
    {"Label31", Label, "Frame2", "µF", 2520, 6480, 255, 255},
    {"Label34", Label, "Frame2", "C3", 600, 6720, 255, 255},
    {"Text11", Output, "Frame2", "C3 µF", 960, 6720, 1455, 195},
    {"Label35", Label, "Frame2", "µF", 2520, 6720, 255, 255},
    {"Label23", Label, "Frame2", "L1", 600, 6960, 255, 255},
    {"Text12", Output, "Frame2", "L1 mH", 960, 6960, 1455, 195},
    {"Label24", Label, "Frame2", "mH", 2520, 6960, 255, 255},
    {"Label32", Label, "Frame2", "L2", 600, 7200, 255, 255},
    {"Text13", Output, "Frame2", "L2 mH", 960, 7200, 1455, 195},
    {"Label33", Label, "Frame2", "mH", 2520, 7200, 255, 255},
    {"Label36", Label, "Frame2", "L3", 600, 7440, 255, 255},
    {"Text14", Output, "Frame2", "L3 mH", 960, 7440, 1455, 195},
    {"Label37", Label, "Frame2", "mH", 2520, 7440, 255, 255},

    {"Image5", Picture, "Frame3", nullptr, 120, 240, 3030, 2280},
    {"Image6", Picture, "Frame3", nullptr, 120, 2640, 3030, 2280},
    {"Label4", Heading, "Frame3", "Необходими данни", 120, 5040, 3015, 255},
    {"Label25", Label, "Frame3", "fc", 720, 5280, 255, 255},
    {"Text15", Entry, "Frame3", "fc Hz", 960, 5280, 1455, 195},
    {"Label26", Label, "Frame3", "Hz", 2520, 5280, 255, 255},
    {"Label27", Label, "Frame3", "Rвг", 600, 5520, 375, 255},
    {"Text16", Entry, "Frame3", "Rвг Ом", 960, 5520, 1455, 195},
    {"Label28", Label, "Frame3", "Ом", 2520, 5520, 255, 255},
    {"Label8", Heading, "Frame3", "Резултат", 120, 5760, 3015, 255},
    {"Label29", Label, "Frame3", "C1", 600, 6000, 255, 255},
    {"Text17", Output, "Frame3", "C1 µF", 960, 6000, 1455, 195},
    {"Label30", Label, "Frame3", "µF", 2520, 6000, 255, 255},
    {"Label42", Label, "Frame3", "C2", 600, 6240, 255, 255},
    {"Text18", Output, "Frame3", "C2 µF", 960, 6240, 1455, 195},
    {"Label43", Label, "Frame3", "µF", 2520, 6240, 255, 255},
    {"Label44", Label, "Frame3", "L", 600, 6480, 135, 255},
    {"Text19", Output, "Frame3", "L mH", 960, 6480, 1455, 195},
    {"Label45", Label, "Frame3", "mH", 2520, 6480, 255, 255},
};

// The same rectangle round the right-hand column in every window.
const LineEnds lines[] = {
    {"Line1", 10200, 240, 10200, 8400},
    {"Line2", 11760, 240, 11760, 8400},
    {"Line3", 10200, 8400, 11760, 8400},
    {"Line4", 10200, 240, 11760, 240},
};

const char* const form1TabCycle[] = {"Command1", "Command2", "Text2",    "Text1",
                                     "Text6",    "Text5",    "Text4",    "Text10",
                                     "Text9",    "Command3", "Command4", "Command5"};
const char* const form2TabCycle[] = {"Command1", "Command2", "Text2",  "Text1",
                                     "Text7",    "Text6",    "Text5",  "Command3",
                                     "Command4", "Command5", "Text12", "Text13"};
const char* const form3TabCycle[] = {"Command1", "Command2", "Text2",  "Text1",
                                     "Text8",    "Text7",    "Text6",  "Command3",
                                     "Command4", "Command5", "Text15", "Text16"};

const Layout layouts[] = {
    {"Form1", form1Controls, form1TabCycle, {3, 5, 11, 29, 7, 4}},
    {"Form2", form2Controls, form2TabCycle, {3, 5, 15, 37, 7, 4}},
    {"Form3", form3Controls, form3TabCycle, {3, 5, 19, 45, 7, 4}},
};

// The title, its run of spaces and the contact prompt; an e-mail address follows.
const QString titleStart =
    QStringLiteral("Изчисляване на честотни филтри за трилентови озвучителни тела") +
    QString(27, u' ') + QStringLiteral("За контакти : ");

QRect fromTwips(int left, int top, int width, int height)
{
    return {left / twipsPerPixel, top / twipsPerPixel, width / twipsPerPixel,
            height / twipsPerPixel};
}

// A line is one pixel thick and covers both of its end points.
QRect lineFromTwips(const LineEnds& line)
{
    const QPoint from(line.x1 / twipsPerPixel, line.y1 / twipsPerPixel);
    const QPoint to(line.x2 / twipsPerPixel, line.y2 / twipsPerPixel);
    return {from, to};
}

const char* className(Kind kind)
{
    switch (kind) {
    case Frame:
        return "QGroupBox";
    case Button:
        return "QPushButton";
    case Entry:
    case Output:
        return "QLineEdit";
    case Line:
        return "QFrame";
    case Picture:
        return "Picture";
    default:
        return "QLabel";
    }
}

QString parentName(const Control& control, const char* window)
{
    return QString::fromUtf8(control.parent ? control.parent : window);
}

QString frameCaption(std::span<const Control> controls, const char* frame)
{
    for (const Control& control : controls) {
        if (qstrcmp(control.name, frame) == 0)
            return QString::fromUtf8(control.caption);
    }
    return {};
}

} // namespace

Q_DECLARE_METATYPE(Kind)
Q_DECLARE_METATYPE(Counts)

class LayoutTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { identifyApplication(); }
    void windowIsFixedSizeWithTitleAndIcon_data();
    void windowIsFixedSizeWithTitleAndIcon();
    void windowHoldsExactlyItsControls_data();
    void windowHoldsExactlyItsControls();
    void controlSitsInItsParentAtItsRectangle_data();
    void controlSitsInItsParentAtItsRectangle();
    void controlHasItsCaptionAndSettings_data();
    void controlHasItsCaptionAndSettings();
    void pictureShowsItsBitmapUnscaled_data();
    void pictureShowsItsBitmapUnscaled();
    void everyPictureIsADifferentBitmap();
    void picturesComeBackWhenShownAgain_data();
    void picturesComeBackWhenShownAgain();
    void text1To3AloneUseTimesNewRoman_data();
    void text1To3AloneUseTimesNewRoman();
    void microFaradUsesTheMicroSign_data();
    void microFaradUsesTheMicroSign();
    void tabVisitsButtonsAndEntryBoxesInOrder_data();
    void tabVisitsButtonsAndEntryBoxesInOrder();
    void everyBoxCarriesTheCaptionsOfWhatItIsBoundTo_data();
    void everyBoxCarriesTheCaptionsOfWhatItIsBoundTo();

private:
    static void addWindowRows();
    static void addControlRows();
};

void LayoutTest::addWindowRows()
{
    QTest::addColumn<QString>("window");
    for (const Layout& layout : layouts)
        QTest::newRow(layout.window) << QString::fromUtf8(layout.window);
}

void LayoutTest::windowIsFixedSizeWithTitleAndIcon_data()
{
    addWindowRows();
}

void LayoutTest::windowIsFixedSizeWithTitleAndIcon()
{
    QFETCH(QString, window);
    const auto form = makeWindow(window);

    const QSize clientArea = fromTwips(0, 0, 11910, 8520).size();
    QCOMPARE(form->objectName(), window);
    QCOMPARE(form->windowTitle(), QStringLiteral("Brelkot v:1.1"));
    QCOMPARE(form->size(), clientArea);
    QCOMPARE(form->minimumSize(), clientArea);
    QCOMPARE(form->maximumSize(), clientArea);
    // The application's icon, the same for every window.
    QCOMPARE(form->windowIcon().cacheKey(), QApplication::windowIcon().cacheKey());
    QVERIFY(!form->windowIcon().isNull());
}

void LayoutTest::windowHoldsExactlyItsControls_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<Counts>("counts");
    for (const Layout& layout : layouts)
        QTest::newRow(layout.window) << QString::fromUtf8(layout.window) << layout.counts;
}

void LayoutTest::windowHoldsExactlyItsControls()
{
    QFETCH(QString, window);
    QFETCH(Counts, counts);
    const auto form = makeWindow(window);

    QMap<QByteArray, int> byClass;
    int pictures = 0;
    const QList<QWidget*> widgets = form->findChildren<QWidget*>();
    for (const QWidget* widget : widgets) {
        const QByteArray name = widget->metaObject()->className();
        if (name == "Picture")
            ++pictures;
        else
            ++byClass[name];
    }
    QCOMPARE(byClass.value("QGroupBox"), counts.frames);
    QCOMPARE(byClass.value("QPushButton"), counts.buttons);
    QCOMPARE(byClass.value("QLineEdit"), counts.textBoxes);
    QCOMPARE(byClass.value("QLabel"), counts.labels);
    QCOMPARE(pictures, counts.pictures);
    QCOMPARE(byClass.value("QFrame"), counts.lines);
    // Nothing of any other kind.
    QCOMPARE(widgets.size(), counts.frames + counts.buttons + counts.textBoxes + counts.labels +
                                 counts.pictures + counts.lines);
}

void LayoutTest::addControlRows()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("name");
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<QString>("parentName");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QRect>("rect");

    for (const Layout& layout : layouts) {
        for (const Control& control : layout.controls) {
            // A text box is named after its frame, its row label and its unit.
            const QString caption = control.kind == Entry || control.kind == Output
                                        ? frameCaption(layout.controls, control.parent) + u' ' +
                                              QString::fromUtf8(control.caption)
                                        : QString::fromUtf8(control.caption);
            QTest::addRow("%s/%s", layout.window, control.name)
                << QString::fromUtf8(layout.window) << QString::fromUtf8(control.name)
                << control.kind << parentName(control, layout.window) << caption
                << fromTwips(control.left, control.top, control.width, control.height);
        }
        for (const LineEnds& line : lines) {
            QTest::addRow("%s/%s", layout.window, line.name)
                << QString::fromUtf8(layout.window) << QString::fromUtf8(line.name) << Line
                << QString::fromUtf8(layout.window) << QString() << lineFromTwips(line);
        }
    }
}

void LayoutTest::controlSitsInItsParentAtItsRectangle_data()
{
    addControlRows();
}

void LayoutTest::controlSitsInItsParentAtItsRectangle()
{
    QFETCH(QString, window);
    QFETCH(QString, name);
    QFETCH(Kind, kind);
    QFETCH(QString, parentName);
    QFETCH(QRect, rect);
    const auto form = makeWindow(window);

    const QWidget* control = form->findChild<QWidget*>(name);
    QVERIFY2(control, "missing");
    QCOMPARE(control->metaObject()->className(), className(kind));
    QCOMPARE(control->parentWidget()->objectName(), parentName);
    QCOMPARE(control->geometry(), rect);
}

void LayoutTest::controlHasItsCaptionAndSettings_data()
{
    addControlRows();
}

void LayoutTest::controlHasItsCaptionAndSettings()
{
    QFETCH(QString, window);
    QFETCH(QString, name);
    QFETCH(Kind, kind);
    QFETCH(QString, caption);
    QFETCH(QRect, rect);
    const auto form = makeWindow(window);

    QWidget* control = form->findChild<QWidget*>(name);
    QVERIFY2(control, "missing");
    const auto* label = qobject_cast<QLabel*>(control);
    const auto* box = qobject_cast<QLineEdit*>(control);
    const auto* frame = qobject_cast<QFrame*>(control);

    switch (kind) {
    case Frame: {
        const auto* group = qobject_cast<QGroupBox*>(control);
        QVERIFY(group);
        QCOMPARE(group->title(), caption);
        break;
    }
    case Button: {
        const auto* button = qobject_cast<QPushButton*>(control);
        QVERIFY(button);
        QCOMPARE(button->text(), caption);
        QVERIFY(!button->autoDefault());
        QVERIFY(!button->isDefault());
        QCOMPARE(button->accessibleName(), caption);
        break;
    }
    case Entry:
    case Output:
        QVERIFY(box);
        QVERIFY(box->text().isEmpty());
        QCOMPARE(box->isEnabled(), kind == Entry);
        QCOMPARE(box->alignment(), Qt::Alignment(Qt::AlignCenter));
        QVERIFY(!box->isReadOnly());
        QCOMPARE(box->maxLength(), std::numeric_limits<int>::max());
        QCOMPARE(box->accessibleName(), caption);
        break;
    case Label:
    case Heading:
    case Title:
        QVERIFY(label);
        if (kind == Title) {
            QVERIFY2(label->text().startsWith(titleStart), qPrintable(label->text()));
            static const QRegularExpression address(QStringLiteral("^[^@\\s]+@[^@\\s]+\\.\\w+$"));
            QVERIFY2(address.match(label->text().mid(titleStart.size())).hasMatch(),
                     qPrintable(label->text()));
            QVERIFY(label->wordWrap());
        } else {
            QCOMPARE(label->text(), caption);
        }
        QCOMPARE(label->alignment(),
                 kind == Heading ? Qt::AlignHCenter | Qt::AlignTop : Qt::AlignLeft | Qt::AlignTop);
        QVERIFY(label->autoFillBackground());
        QCOMPARE(label->focusPolicy(), Qt::NoFocus);
        QCOMPARE(label->frameShape(), QFrame::NoFrame);
        break;
    case Picture:
        QVERIFY(label);
        QVERIFY(!label->hasScaledContents());
        if (name == u"Image7") {
            QCOMPARE(label->frameShape(), QFrame::NoFrame);
        } else {
            QCOMPARE(label->frameShape(), QFrame::Box);
            QCOMPARE(label->frameShadow(), QFrame::Plain);
            QCOMPARE(label->lineWidth(), 1);
        }
        break;
    case Line:
        QVERIFY(frame);
        QCOMPARE(frame->frameShape(), rect.width() == 1 ? QFrame::VLine : QFrame::HLine);
        QCOMPARE(frame->frameShadow(), QFrame::Plain);
        QCOMPARE(frame->lineWidth(), 1);
        break;
    }
}

void LayoutTest::pictureShowsItsBitmapUnscaled_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QSize>("bitmapSize");
    for (const Layout& layout : layouts) {
        for (const Control& control : layout.controls) {
            if (control.kind != Picture)
                continue;
            // The framed pictures spend one pixel on each side on their border.
            const QString name = QString::fromUtf8(control.name);
            const int border = name == u"Image7" ? 0 : 2;
            QTest::addRow("%s/%s", layout.window, control.name)
                << QString::fromUtf8(layout.window) << name
                << fromTwips(0, 0, control.width, control.height).size() - QSize(border, border);
        }
    }
}

void LayoutTest::pictureShowsItsBitmapUnscaled()
{
    QFETCH(QString, window);
    QFETCH(QString, name);
    QFETCH(QSize, bitmapSize);
    const auto form = makeWindow(window);

    const auto* picture = form->findChild<QLabel*>(name);
    QVERIFY2(picture, "missing");
    const QPixmap pixmap = picture->pixmap();
    QVERIFY2(!pixmap.isNull(), "no bitmap");
    QCOMPARE(pixmap.size(), bitmapSize);
    QCOMPARE(pixmap.devicePixelRatio(), 1.0);
    QVERIFY(!pixmap.hasAlphaChannel());
}

// Every graph, schematic and emblem differs from window to window.
void LayoutTest::everyPictureIsADifferentBitmap()
{
    QList<QPair<QString, QImage>> seen;
    for (const Layout& layout : layouts) {
        const auto form = makeWindow(QString::fromUtf8(layout.window));
        for (const QLabel* picture : form->findChildren<QLabel*>()) {
            if (!picture->objectName().startsWith(u"Image"))
                continue;
            const QString where = form->objectName() + u'/' + picture->objectName();
            const QImage image = picture->pixmap().toImage();
            QVERIFY2(!image.isNull(), qPrintable(where + QStringLiteral(" has no bitmap")));
            for (const auto& [other, otherImage] : seen)
                QVERIFY2(image != otherImage,
                         qPrintable(where + QStringLiteral(" shows the bitmap of ") + other));
            seen.append({where, image});
        }
    }
    QCOMPARE(seen.size(), 21);
}

void LayoutTest::picturesComeBackWhenShownAgain_data()
{
    addWindowRows();
}

// A hidden window lets its pictures go; shown again, it shows the same ones.
void LayoutTest::picturesComeBackWhenShownAgain()
{
    QFETCH(QString, window);
    const auto form = makeWindow(window);
    form->show();
    QList<QPair<QLabel*, QImage>> pictures;
    for (QLabel* picture : form->findChildren<QLabel*>()) {
        if (picture->objectName().startsWith(u"Image"))
            pictures.append({picture, picture->pixmap().toImage()});
    }
    QCOMPARE(pictures.size(), 7);
    form->hide();
    form->show();
    for (const auto& [picture, image] : pictures) {
        QVERIFY2(!image.isNull(), qPrintable(picture->objectName()));
        QCOMPARE(picture->pixmap().toImage(), image);
    }
}

void LayoutTest::text1To3AloneUseTimesNewRoman_data()
{
    addWindowRows();
}

void LayoutTest::text1To3AloneUseTimesNewRoman()
{
    QFETCH(QString, window);
    const auto form = makeWindow(window);
    form->ensurePolished();

    const QStringList timesBoxes = {"Text1", "Text2", "Text3"};
    for (const QString& name : timesBoxes) {
        const auto* box = form->findChild<QLineEdit*>(name);
        QVERIFY2(box, qPrintable(name));
        const QFont font = box->font();
        QCOMPARE(font.family(), QStringLiteral("Times New Roman"));
        QCOMPARE(font.pointSizeF(), 8.25);
        QCOMPARE(font.weight(), QFont::Normal);
        QVERIFY(!font.italic());
        QVERIFY(!font.underline());
        QVERIFY(!font.strikeOut());
    }

    const auto* command1 = form->findChild<QPushButton*>("Command1");
    QVERIFY(command1);
    const QFont defaultFont = command1->font();
    QVERIFY(defaultFont.family() != QStringLiteral("Times New Roman"));
    for (const QWidget* control : form->findChildren<QWidget*>()) {
        if (!timesBoxes.contains(control->objectName()))
            QVERIFY2(control->font() == defaultFont, qPrintable(control->objectName()));
    }
}

void LayoutTest::microFaradUsesTheMicroSign_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<int>("microFaradLabels");
    QTest::newRow("Form1") << QStringLiteral("Form1") << 2;
    QTest::newRow("Form2") << QStringLiteral("Form2") << 4;
    QTest::newRow("Form3") << QStringLiteral("Form3") << 6;
}

// The Greek small mu looks the same but is another character.
void LayoutTest::microFaradUsesTheMicroSign()
{
    QFETCH(QString, window);
    QFETCH(int, microFaradLabels);
    const auto form = makeWindow(window);

    int found = 0;
    for (const QLabel* label : form->findChildren<QLabel*>()) {
        const QString text = label->text();
        if (text.size() == 2 && text.endsWith(u'F')) {
            QCOMPARE(text.front(), QChar(0x00B5));
            ++found;
        }
    }
    QCOMPARE(found, microFaradLabels);
}

void LayoutTest::tabVisitsButtonsAndEntryBoxesInOrder_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<QStringList>("visits");
    for (const Layout& layout : layouts) {
        QStringList cycle;
        for (const char* name : layout.tabCycle)
            cycle << QString::fromUtf8(name);
        // Both directions start on Command1 and come back to it.
        QStringList forward = cycle.mid(1);
        forward << cycle.first();
        QStringList backward(cycle.crbegin(), cycle.crend());
        QTest::addRow("%s/Tab", layout.window)
            << QString::fromUtf8(layout.window) << Qt::Key_Tab << forward;
        QTest::addRow("%s/Backtab", layout.window)
            << QString::fromUtf8(layout.window) << Qt::Key_Backtab << backward;
    }
}

void LayoutTest::tabVisitsButtonsAndEntryBoxesInOrder()
{
    QFETCH(QString, window);
    QFETCH(Qt::Key, key);
    QFETCH(QStringList, visits);
    const auto form = makeWindow(window);
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));

    auto* command1 = form->findChild<QPushButton*>("Command1");
    QVERIFY(command1);
    command1->setFocus(Qt::OtherFocusReason);
    QCOMPARE(QApplication::focusWidget(), command1);

    QStringList visited;
    for (qsizetype i = 0; i < visits.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), key);
        const QWidget* focused = QApplication::focusWidget();
        QVERIFY2(focused, qPrintable(QStringLiteral("focus lost after ") + visited.join(u", ")));
        visited << focused->objectName();
    }
    QCOMPARE(visited, visits);
}

namespace {

// What the row of a text box says: its frame's title, the label before the
// box and the one after it.
QString rowCaption(const QLineEdit* box)
{
    const auto* frame = qobject_cast<const QGroupBox*>(box->parentWidget());
    QString before = "(none)";
    QString after = "(none)";
    for (const QLabel* label :
         box->parentWidget()->findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
        if (label->y() == box->y())
            (label->x() < box->x() ? before : after) = label->text();
    }
    return QStringList{frame ? frame->title() : "(no frame)", before, after}.join(u' ');
}

QString captionOf(Group group, std::string_view label, std::string_view unit)
{
    return QString::fromStdString(std::string(caption(group)) + ' ' + std::string(label) + ' ' +
                                  std::string(unit));
}

} // namespace

void LayoutTest::everyBoxCarriesTheCaptionsOfWhatItIsBoundTo_data()
{
    addSlopeRows();
}

// The captions the command line prints come from the crossover, those on the
// screen from the layout: they must agree, box by box.
void LayoutTest::everyBoxCarriesTheCaptionsOfWhatItIsBoundTo()
{
    QFETCH(Slope, slope);
    const std::unique_ptr<CrossoverWindow> window(createWindow(slope));
    const Crossover& described = crossover(slope);
    const CrossoverWindow::Controls& controls = window->controls();

    QList<QLineEdit*> bound;
    QStringList expected;
    for (std::size_t i = 0; i < described.inputs.size(); ++i) {
        const Input& input = described.inputs[i];
        bound << controls.inputs[i];
        expected << captionOf(input.group, input.label, input.unit());
    }
    for (std::size_t i = 0; i < described.results.size(); ++i) {
        const Result& result = described.results[i];
        bound << controls.results[i];
        expected << captionOf(result.group, result.label, result.unit());
    }
    QStringList onScreen;
    QStringList accessible;
    for (const QLineEdit* box : bound) {
        onScreen << rowCaption(box);
        accessible << box->accessibleName();
    }
    QCOMPARE(onScreen, expected);
    QCOMPARE(accessible, expected);
    // Each of the window's text boxes is bound to exactly one of them.
    const QList<QLineEdit*> boxes = window->findChildren<QLineEdit*>();
    QCOMPARE(QSet<QLineEdit*>(bound.begin(), bound.end()),
             QSet<QLineEdit*>(boxes.begin(), boxes.end()));
    QCOMPARE(bound.size(), boxes.size());
}

QTEST_MAIN(LayoutTest)
#include "tst_layout.moc"
