#pragma once

#include <QString>

namespace stowbel {

// The main window's title: the order's name, with "*" while its text was edited since it was
// opened or loaded, before the program's caption. Without an order, the caption alone.
class OrderTitle {
public:
    static QString Caption();
    // The name of an opened order file (its file name), of an example ("Пример HMAN") or
    // "Новый заказ"; the text is as loaded.
    void Loaded(const QString& name);
    // The order text was changed by hand; a typed order without a name becomes "Новый заказ".
    void Edited();
    bool IsEdited() const { return edited_; }
    QString Text() const;

private:
    QString name_;
    bool edited_ = false;
};

}  // namespace stowbel
