#pragma once

#include <QObject>

#include "job/calculation_job.h"

class QWidget;

namespace stowbel {

// Runs a calculation job off the user-interface thread. A job that takes longer than the quiet
// time gets a progress dialog with "Отмена"; the window takes no input meanwhile but keeps
// painting. A cancelled job's result says so (JobResult::cancelled) and holds nothing to show.
class BackgroundCalculation : public QObject {
    Q_OBJECT
public:
    static constexpr int kQuietMilliseconds = 500;

    explicit BackgroundCalculation(QWidget* window);

    // Tests shorten the wait before the dialog.
    void SetQuietMilliseconds(int milliseconds) { quiet_ = milliseconds; }

    // Runs job with its own cancel and progress hooks in place of any it has.
    JobResult Run(CalculationJob job);

private:
    QWidget* window_;
    int quiet_ = kQuietMilliseconds;
};

}  // namespace stowbel
