#pragma once

#include <QObject>
#include <QString>
#include <QWidget>
#include <vector>

namespace stowbel {

// A sheet over a view of the result: the view shows through, washed pale, with one line of text
// in a box at its top. It takes no mouse input, so the view below can still be scrolled.
class ResultOverlay : public QWidget {
    Q_OBJECT
public:
    enum class Look { Stale, Interrupted };

    explicit ResultOverlay(QWidget* covered);
    void Show(Look look, const QString& text);
    const QString& Text() const { return text_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Look look_ = Look::Stale;
    QString text_;
};

// Keeps the report and the pictures from passing for the result of an order they do not
// describe. Once the order text changes after a calculation, every view is washed pale with
// "Заказ изменён — нажмите Расчёт (F9)"; a calculation stopped by an order error puts the banner
// "Расчёт прерван: ошибка в строке N" over the pictures (the report says so in its last line).
class ResultMarks : public QObject {
    Q_OBJECT
public:
    enum class State { None, Current, Interrupted, Stale };

    static QString StaleText();
    static QString InterruptedText(int line);

    explicit ResultMarks(QObject* parent);
    // Views that show the result; pictures get the banner of an interrupted calculation.
    void AddReportView(QWidget* view);
    void AddPictureView(QWidget* view);

    // A calculation's result is shown; errorLine is the faulty line (1-based) of an order error,
    // 0 when there was none (or it concerned no single line, as in an empty order).
    void ResultShown(bool orderError, int errorLine);
    // The order text changed: a result shown no longer describes it.
    void OrderChanged();
    // Nothing is shown any more.
    void Cleared();

    State Current() const { return state_; }
    // The text over a view, empty when it is not covered.
    QString TextOver(const QWidget* view) const;

private:
    void Apply();

    State state_ = State::None;
    int errorLine_ = 0;
    std::vector<ResultOverlay*> reportOverlays_;
    std::vector<ResultOverlay*> pictureOverlays_;
};

}  // namespace stowbel
