// One press of "Изчисли" in each window with every group filled: the click,
// the calculation, the writing of the output boxes and their repaint. Each
// press writes into empty output boxes, as a first press does. Run on the
// offscreen platform; prints one figure a line, the median per press.
//   usage: bench_press [PRESSES]

#include "crossover.h"
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

std::unique_ptr<CrossoverWindow> makeWindow(int order)
{
    return std::unique_ptr<CrossoverWindow>(createWindow(Slope(order - 1)));
}

double medianPressMicroseconds(int order, int presses)
{
    const std::unique_ptr<CrossoverWindow> window = makeWindow(order);
    window->show();

    // Woofer 500 Hz, midrange 500 to 3000 Hz, tweeter 3000 Hz, all at 8 ohms,
    // in the order of the entry boxes.
    const char* const example[] = {"500", "8", "500", "3000", "8", "3000", "8"};
    const std::vector<std::string> entries = window->model().entryBoxes();
    for (std::size_t i = 0; i < entries.size(); ++i)
        window->findChild<QLineEdit*>(QString::fromStdString(entries[i]))->setText(example[i]);

    std::vector<QLineEdit*> outputs;
    for (const std::string& name : window->model().boxes()) {
        if (std::find(entries.begin(), entries.end(), name) == entries.end())
            outputs.push_back(window->findChild<QLineEdit*>(QString::fromStdString(name)));
    }
    auto* calculate = window->findChild<QPushButton*>(QStringLiteral("Command1"));

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
            qFatal("Form%d: the press wrote nothing", order);
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
    for (int order = 1; order <= 3; ++order)
        std::printf("press.form%d_us\t%.1f\tus\n", order, medianPressMicroseconds(order, presses));
    return 0;
}
