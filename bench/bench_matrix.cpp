// How long the matrix page takes to switch all 256 crosspoints and show the
// result: a rubber band over the whole grid then a press on a selected
// crosspoint, and "All Mix"/"Reset" (answered by a prompt that says OK),
// each followed by a full repaint of the page. Runs on the offscreen platform
// unless another is set. Prints median and worst times.
// Run: build/bench/bench_matrix [rounds]

#include "pages/matrix/crosspointgrid.h"
#include "pages/matrix/matrixmixvaluewidget.h"
#include "pages/matrix/qmixbutton.h"
#include "pages/matrix/qmixer.h"
#include "pages/matrix/qmtxwidget.h"
#include "pages/operatorprompt.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QPushButton>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <vector>

namespace {

class AnswerOk final : public OperatorPrompt
{
public:
    int ask(QWidget *, QMessageBox::Icon, const QString &, const QString &, const QStringList &,
            int) override
    {
        return 0;
    }
};

void sendMouse(QWidget *w, QEvent::Type type, QPoint at, Qt::MouseButtons buttons)
{
    QMouseEvent e(type, at, w->mapToGlobal(at), Qt::LeftButton, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &e);
}

double threadCpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}

struct Times
{
    std::vector<double> wall; // ms
    std::vector<double> cpu;  // ms of this thread: what the work costs on a busy machine
};

// Milliseconds of each round of `work`.
Times measure(int rounds, const std::function<void(int)> &work)
{
    Times times;
    QElapsedTimer t;
    for (int r = 0; r < rounds; ++r) {
        const double cpu = threadCpuMs();
        t.start();
        work(r);
        times.wall.push_back(double(t.nsecsElapsed()) / 1e6);
        times.cpu.push_back(threadCpuMs() - cpu);
        QCoreApplication::processEvents();
    }
    return times;
}

void report(const char *what, Times t)
{
    std::sort(t.wall.begin(), t.wall.end());
    std::sort(t.cpu.begin(), t.cpu.end());
    const size_t n = t.wall.size();
    std::printf("%-44s wall median %6.2f ms, 90%% %6.2f ms | cpu median %6.2f ms, worst %6.2f ms "
                "(%zu rounds; budget 16 ms)\n",
                what, t.wall[n / 2], t.wall[n * 9 / 10], t.cpu[n / 2], t.cpu.back(), n);
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int rounds = argc > 1 ? qMax(3, atoi(argv[1])) : 40;
    AnswerOk prompt;
    OperatorPrompt::install(&prompt);

    QMixer page;
    page.resize(878, 400);
    page.show();
    QCoreApplication::processEvents();
    CrosspointGrid *grid = page.grid();
    const QPoint shift(CrosspointGrid::BandShift, CrosspointGrid::BandShift);
    const QPoint from = grid->button(0, 0)->geometry().topLeft() + shift - QPoint(1, 1);
    const QPoint to = grid->button(15, 15)->geometry().bottomRight() + shift + QPoint(1, 1);

    report("band over 256 crosspoints, switch, repaint", measure(rounds, [&](int) {
               QMtxWidget *mtx = grid->mtxWidget();
               sendMouse(mtx, QEvent::MouseButtonPress, from, Qt::LeftButton);
               sendMouse(mtx, QEvent::MouseMove, to, Qt::LeftButton);
               sendMouse(mtx, QEvent::MouseButtonRelease, to, Qt::NoButton);
               QMixButton *b = grid->button(7, 7);
               sendMouse(b, QEvent::MouseButtonPress, QPoint(2, 2), Qt::LeftButton);
               sendMouse(b, QEvent::MouseButtonRelease, QPoint(2, 2), Qt::NoButton);
               page.repaint();
           }));
    report("\"All Mix\" / \"Reset\", repaint", measure(rounds, [&](int r) {
               (r % 2 ? page.resetButton() : page.allMixButton())->click();
               page.repaint();
           }));

    MatrixMixValueWidget *editor = page.editor();
    editor->show();
    QCoreApplication::processEvents();
    CrosspointGrid *editorGrid = editor->grid();
    const QPoint editorFrom = editorGrid->button(0, 0)->geometry().topLeft() + shift - QPoint(1, 1);
    const QPoint editorTo =
        editorGrid->button(15, 15)->geometry().bottomRight() + shift + QPoint(1, 1);
    report("editor: band over 256, gain edit, repaint", measure(rounds, [&](int r) {
               QMtxWidget *mtx = editorGrid->mtxWidget();
               sendMouse(mtx, QEvent::MouseButtonPress, editorFrom, Qt::LeftButton);
               sendMouse(mtx, QEvent::MouseMove, editorTo, Qt::LeftButton);
               sendMouse(mtx, QEvent::MouseButtonRelease, editorTo, Qt::NoButton);
               editor->GainSliderChanged(float(-(r % 40)));
               editor->repaint();
           }));
    editor->hide();
    OperatorPrompt::install(nullptr);
    return 0;
}
