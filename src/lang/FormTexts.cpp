#include "FormTexts.h"

#include "FormTextDump.h"
#include "LanguageStore.h"
#include "pictures/PictureLibrary.h"
#include "store/Database.h"
#include "store/Tdm1.h"
#include "ui/DataGrid.h"
#include "ui/ImageButton.h"
#include "ui/Panel.h"
#include "ui/RadioGroup.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>

namespace lang {

namespace {

// The window's named descendants by lower-case objectName, in the order Qt owns them.
class Components {
public:
    explicit Components(QWidget& window) {
        const QList<QObject*> all = window.findChildren<QObject*>();
        for (QObject* object : all) {
            if (!object->objectName().isEmpty())
                byName_[object->objectName().toLower()].append(object);
        }
    }

    // The first component of that name that is a T.
    template <class T> T* find(const QString& name) const {
        for (QObject* object : byName_.value(name.toLower())) {
            if (auto* typed = qobject_cast<T*>(object))
                return typed;
        }
        return nullptr;
    }

    // Sets the caption of the first label, panel, button, check box, group box or image of
    // that name.
    void setCaption(const QString& name, const QString& text) const {
        for (QObject* object : byName_.value(name.toLower())) {
            if (auto* label = qobject_cast<QLabel*>(object))
                label->setText(text);
            else if (auto* panel = qobject_cast<ui::Panel*>(object))
                panel->setCaption(text);
            else if (qobject_cast<QPushButton*>(object) || qobject_cast<QToolButton*>(object) ||
                     qobject_cast<QCheckBox*>(object))
                static_cast<QAbstractButton*>(object)->setText(text);
            else if (auto* box = qobject_cast<QGroupBox*>(object))
                box->setTitle(text);
            else if (auto* image = qobject_cast<ui::ImageButton*>(object))
                image->setCaption(text);
            else
                continue;
            return;
        }
    }

    // The tooltip, accessible name and description of every widget of that name.
    void setHint(const QString& name, const QString& text) const {
        for (QObject* object : byName_.value(name.toLower())) {
            if (!object->isWidgetType())
                continue;
            auto* widget = static_cast<QWidget*>(object);
            widget->setToolTip(text);
            widget->setAccessibleName(text);
            widget->setAccessibleDescription(text);
        }
    }

private:
    QHash<QString, QList<QObject*>> byName_;
};

// Panel n of a status bar: its n-th direct QLabel child. Not a number: nothing.
void setStatusPanel(QStatusBar& bar, const QString& number, const QString& text) {
    const QList<QLabel*> panels = bar.findChildren<QLabel*>(Qt::FindDirectChildrenOnly);
    bool ok = false;
    const int index = number.toInt(&ok);
    if (ok && index >= 0 && index < panels.size())
        panels[index]->setText(text);
}

void applyRow(QWidget& window, const Components& components, const store::Dataset& row,
              const QString& languageColumn) {
    const QString component = row.asString(QStringLiteral("component"));
    const QString text = row.asString(languageColumn);
    const QString group = row.asString(QStringLiteral("group"));
    const int index = row.asInteger(QStringLiteral("component_index"));

    if (group == QLatin1String("statusbar")) {
        if (auto* bar = components.find<QStatusBar>(QStringLiteral("statusbar1")))
            setStatusPanel(*bar, component, text);
    } else if (group == QLatin1String("combobox_item")) {
        auto* combo = components.find<QComboBox>(component);
        if (combo && !isDataList(*combo) && index >= 0 && index < combo->count())
            combo->setItemText(index, text);
    } else if (group == QLatin1String("page_item")) {
        auto* tabs = components.find<QTabWidget>(component);
        if (tabs && index >= 0 && index < tabs->count())
            tabs->setTabText(index, text);
    } else if (group == QLatin1String("radio_item")) {
        if (auto* radio = components.find<ui::RadioGroup>(component))
            radio->setItemText(index, text);
    } else if (group == QLatin1String("column_item")) {
        auto* list = components.find<QTreeWidget>(component);
        if (list && index >= 0 && index < list->columnCount())
            list->headerItem()->setText(index, text);
    } else if (group == QLatin1String("caption")) {
        if (component.isEmpty())
            return;
        components.setCaption(component, text);
        if (component == window.objectName())
            window.setWindowTitle(text);
    } else if (group == QLatin1String("menu")) {
        if (auto* action = components.find<QAction>(component))
            action->setText(text);
    } else if (group == QLatin1String("grid")) {
        if (!row.asBoolean(QStringLiteral("show")))
            return;
        auto* grid = components.find<ui::DataGrid>(component);
        const int column =
            grid ? grid->columnIndexOfField(row.asString(QStringLiteral("fieldname"))) : -1;
        if (column < 0)
            return;
        grid->setColumnTitle(column, text);
        grid->setColumnWidthPx(column, row.asInteger(QStringLiteral("show_width")));
    } else if (group == QLatin1String("tooltip")) {
        components.setHint(component, text);
    } else if (group == QLatin1String("name")) {
        // What a screen reader calls a widget that shows no title of its own.
        if (auto* widget = components.find<QWidget>(component))
            widget->setAccessibleName(text);
    }
}

} // namespace

void SetFormImage(QWidget& window, const pictures::PictureLibrary& pictures) {
    const QList<ui::ImageButton*> images = window.findChildren<ui::ImageButton*>();
    const pictures::PictureLibrary::Contents library = pictures.read();
    for (ui::ImageButton* image : images)
        ui::LoadImagePicture(*image, library);
}

void SetFormText(QWidget& window, LanguageStore& language,
                 const pictures::PictureLibrary& pictures) {
    SetFormImage(window, pictures);

    store::Dataset& rows = language.dm().adoquery;
    rows.close();
    rows.setCommandText(QStringLiteral("select * from bp_language where formname=") +
                        store::quoted(window.objectName()) + QStringLiteral(" and [group]<>") +
                        store::quoted(QStringLiteral("hint")) +
                        QStringLiteral(" order by formname,group,component,component_index"));
    rows.open();

    const Components components(window);
    const QString languageColumn = language.languageColumn();
    for (rows.first(); !rows.eof(); rows.next())
        applyRow(window, components, rows, languageColumn);
}

} // namespace lang
