#pragma once

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;
class QVBoxLayout;

namespace ui {

// A group box of radio buttons addressed by item index.
class RadioGroup : public QGroupBox {
    Q_OBJECT
public:
    explicit RadioGroup(const QString& objectName, QWidget* parent = nullptr);

    void setItems(const QStringList& items);
    QStringList items() const;
    int itemCount() const;
    void setItemText(int index, const QString& text); // out of range: ignored

    int itemIndex() const; // -1 when none is chosen
    void setItemIndex(int index);

signals:
    void itemIndexChanged(int index);

private:
    QButtonGroup* buttons_;
    QVBoxLayout* layout_;
};

} // namespace ui
