// One press of "Изчисли" in each window with every group filled: the click,
// the calculation, the writing of the output boxes and their repaint. Each
// press writes into empty output boxes, as a first press does. Run on the
// offscreen platform; prints one figure a line, the median per press.
//   usage: bench_press [PRESSES]

#include "navigator.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

double medianPressMicroseconds(Slope slope, int presses)
{
    const std::unique_ptr<CrossoverWindow> window(createWindow(slope));
    window->show();

    // Woofer 500 Hz, midrange 500 to 3000 Hz, tweeter 3000 Hz, all at 8 ohms,
    // in the order of the inputs.
    const char* const example[] = {"500", "8", "500", "3000", "8", "3000", "8"};
    const CrossoverWindow::Controls& controls = window->controls();
    for (std::size_t i = 0; i < controls.inputs.size(); ++i)
        controls.inputs[i]->setText(example[i]);
    const std::vector<QLineEdit*>& outputs = controls.results;
    QPushButton* calculate = controls.command1;

    const int warmUp = presses / 10;
    std::vector<double> times;
    QElapsedTimer timer;
    for (int i = 0; i < warmUp + presses; ++i) {
        for (QLineEdit* output : outputs)
            output->clear();
        QApplication::processEvents();

        timer.start();
        QTest::mouseClick(calculate, Qt::LeftButton);
        QApplication::processEvents();
        const double elapsed = double(timer.nsecsElapsed()) / 1000;

        if (outputs.front()->text().isEmpty())
            qFatal("Form%d: the press wrote nothing", int(slope) + 1);
        if (i >= warmUp)
            times.push_back(elapsed);
    }
    std::nth_element(times.begin(), times.begin() + times.size() / 2, times.end());
    return times[times.size() / 2];
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const int presses = argc > 1 ? std::stoi(argv[1]) : 2000;
    for (Slope slope : slopes)
        std::printf("press.form%d_us\t%.1f\tus\n", int(slope) + 1,
                    medianPressMicroseconds(slope, presses));
    return 0;
}
