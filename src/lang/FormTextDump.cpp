#include "FormTextDump.h"

#include "WindowContext.h"
#include "store/Tdm1.h"
#include "ui/DataGrid.h"
#include "ui/Panel.h"
#include "ui/RadioGroup.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>

namespace lang {

namespace {

// The font name written for tool buttons, whatever their own font.
const QString ToolButtonFont = QStringLiteral("Tahoma");
constexpr int RadioCaptionIndex = 88;

class RowWriter {
public:
    RowWriter(store::Dataset& rows, const QString& formName) : rows_(rows), formName_(formName) {}

    // Appends and posts one row; grid rows also carry the column's show, width and field.
    void write(const QString& group, const QString& component, int index, const QString& text,
               const QString& font, const ui::GridColumn* column = nullptr) {
        rows_.append();
        rows_.setValue(QStringLiteral("formname"), formName_);
        rows_.setValue(QStringLiteral("group"), group);
        rows_.setValue(QStringLiteral("component"), component);
        rows_.setValue(QStringLiteral("component_index"), index);
        for (const char* language : {"showtext", "show_english", "show_german"})
            rows_.setValue(QString::fromLatin1(language), text);
        if (!font.isNull())
            rows_.setValue(QStringLiteral("show_font"), font);
        if (column) {
            rows_.setValue(QStringLiteral("show"), column->visible);
            rows_.setValue(QStringLiteral("show_width"), column->width);
            rows_.setValue(QStringLiteral("fieldname"), column->fieldName);
        }
        rows_.post();
    }

    void caption(const QWidget& widget, const QString& text) {
        write(QStringLiteral("caption"), widget.objectName(), 1, text, widget.font().family());
    }

private:
    store::Dataset& rows_;
    QString formName_;
};

void writeGrid(RowWriter& out, const ui::DataGrid& grid) {
    const QString font = grid.horizontalHeader()->font().family();
    for (int index = 0; index < grid.columnCount(); ++index) {
        const ui::GridColumn column = grid.column(index);
        out.write(QStringLiteral("grid"), grid.objectName(), index, column.title, font, &column);
    }
}

// Every kind the component belongs to writes its rows, in this order.
void writeComponent(RowWriter& out, QWidget& widget) {
    const QString name = widget.objectName();
    const QString font = widget.font().family();
    if (auto* label = qobject_cast<QLabel*>(&widget); label && !label->text().isEmpty())
        out.caption(widget, label->text());
    if (auto* panel = qobject_cast<ui::Panel*>(&widget); panel && !panel->caption().isEmpty())
        out.caption(widget, panel->caption());
    if (auto* bar = qobject_cast<QStatusBar*>(&widget)) {
        const QList<QLabel*> panels = bar->findChildren<QLabel*>(Qt::FindDirectChildrenOnly);
        for (int index = 0; index < panels.size(); ++index)
            out.write(QStringLiteral("statusbar"), QString::number(index), 1, panels[index]->text(),
                      QString());
    }
    if (qobject_cast<QPushButton*>(&widget) || qobject_cast<QCheckBox*>(&widget))
        out.caption(widget, static_cast<QAbstractButton&>(widget).text());
    if (auto* radio = qobject_cast<ui::RadioGroup*>(&widget)) {
        out.write(QStringLiteral("caption"), name, RadioCaptionIndex, radio->title(), font);
        const QStringList items = radio->items();
        for (int index = 0; index < items.size(); ++index)
            out.write(QStringLiteral("radio_item"), name, index, items[index], font);
    }
    if (auto* combo = qobject_cast<QComboBox*>(&widget); combo && !isDataList(*combo)) {
        for (int index = 0; index < combo->count(); ++index)
            out.write(QStringLiteral("combobox_item"), name, index, combo->itemText(index), font);
    }
    if (auto* box = qobject_cast<QGroupBox*>(&widget); box && !qobject_cast<ui::RadioGroup*>(box))
        out.caption(widget, box->title());
    if (auto* tabs = qobject_cast<QTabWidget*>(&widget)) {
        for (int index = 0; index < tabs->count(); ++index)
            out.write(QStringLiteral("page_item"), name, index, tabs->tabText(index), font);
    }
    if (auto* tool = qobject_cast<QToolButton*>(&widget))
        out.write(QStringLiteral("caption"), name, 1, tool->text(), ToolButtonFont);
    if (auto* grid = qobject_cast<ui::DataGrid*>(&widget))
        writeGrid(out, *grid);
    if (!widget.toolTip().isEmpty())
        out.write(QStringLiteral("tooltip"), name, 1, widget.toolTip(), font);
}

// Named widgets the window placed itself: not Qt's own helpers ("qt_" names) and not the
// parts of a compound widget such as the scroll buttons of a tab bar.
bool isOwnComponent(const QWidget& widget, const QWidget& window) {
    const QString name = widget.objectName();
    if (name.isEmpty() || name.startsWith(QLatin1String("qt_")))
        return false;
    for (const QWidget* above = widget.parentWidget(); above && above != &window;
         above = above->parentWidget()) {
        if (qobject_cast<const QTabBar*>(above) || qobject_cast<const QComboBox*>(above) ||
            qobject_cast<const QAbstractSpinBox*>(above))
            return false;
    }
    return true;
}

} // namespace

void PostFormText(QWidget& window, store::Tdm1& dm, const store::AppFiles& files) {
    if (!QFileInfo::exists(files.find(QStringLiteral("post.txt"))))
        return;
    RowWriter out(dm.ado_cfg, window.objectName());
    const QList<QWidget*> components = window.findChildren<QWidget*>();
    for (QWidget* widget : components) {
        if (isOwnComponent(*widget, window))
            writeComponent(out, *widget);
    }
}

bool isFormTextDumpKey(int key, Qt::KeyboardModifiers modifiers) {
    return key == Qt::Key_F2 && modifiers.testFlag(Qt::ControlModifier);
}

FormTextDumpKey::FormTextDumpKey(QWidget& window, WindowContext& context)
    : QObject(&window), window_(window), context_(context) {
    qApp->installEventFilter(this);
}

bool FormTextDumpKey::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->window() == &window_) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (isFormTextDumpKey(key->key(), key->modifiers())) {
            PostFormText(window_, context_.dm, context_.files);
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace lang
