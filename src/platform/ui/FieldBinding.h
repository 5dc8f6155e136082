#pragma once

#include "platform/ui/DataSourceLink.h"

#include <QObject>
#include <QPointer>

class QLineEdit;
class QPlainTextEdit;
class QWidget;

// Binds a one-line or multi-line edit to a field of a data source: the edit shows the field's text in
// the current row and writes what the user typed back (putting the data set into edit state) when
// the one-line edit is finished or the multi-line edit loses the focus. Read-only while the field is
// or there is no row. The binding belongs to the edit.
class FieldBinding : public QObject {
    Q_OBJECT
public:
    static FieldBinding* bind(QLineEdit* edit, DataSource& source, const QString& fieldName);
    static FieldBinding* bind(QPlainTextEdit* edit, DataSource& source, const QString& fieldName);

    const QString& fieldName() const { return fieldName_; }
    QWidget* editor() const { return editor_; }
    // Writes pending typing to the field; false when the data set refused it.
    bool commit();
    // Shows the field's text of the current row again, dropping pending typing.
    void refresh();

    // Commits every binding among the widget's descendants; false when one was refused.
    static bool commitAll(QWidget* root);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    FieldBinding(QWidget* editor, DataSource& source, const QString& fieldName);
    QString editorText() const;
    void setEditorText(const QString& text);
    void setEditorReadOnly(bool readOnly);
    Field* field() const;

    QPointer<QWidget> editor_;
    QLineEdit* line_ = nullptr;
    QPlainTextEdit* memo_ = nullptr;
    DataSourceLink link_;
    QString fieldName_;
    bool dirty_ = false;
    bool showing_ = false;
};
