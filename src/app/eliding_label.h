#pragma once

#include <QLabel>

namespace stowbel {

// A one-line label that may be narrower than its text: it shows as much as fits and ends with
// "…"; text() stays the whole text.
class ElidingLabel : public QLabel {
    Q_OBJECT
public:
    explicit ElidingLabel(QWidget* parent = nullptr);

    QSize minimumSizeHint() const override;
    // What the label shows at its present width.
    QString VisibleText() const;

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace stowbel
