#pragma once

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;
class QGridLayout;

namespace ui {

// A group box of radio buttons addressed by item index.
class RadioGroup : public QGroupBox {
    Q_OBJECT
public:
    explicit RadioGroup(const QString& objectName, QWidget* parent = nullptr);

    // Replaces the items; the chosen index stays when the new items still have it.
    void setItems(const QStringList& items);
    QStringList items() const;
    int itemCount() const;
    void setItemText(int index, const QString& text); // out of range: ignored

    int itemIndex() const;        // -1 when none is chosen
    void setItemIndex(int index); // out of range: none is chosen

    // Items fill the columns top to bottom, then left to right; 1 by default.
    void setColumns(int columns);
    int columns() const { return columns_; }

signals:
    void itemIndexChanged(int index);

private:
    void arrange();

    QButtonGroup* buttons_;
    QGridLayout* layout_;
    int columns_ = 1;
};

} // namespace ui
