// What a window's status label shows. Passing texts (connected, a key or a
// reading arrived) replace each other; a standing fault (a log that cannot be
// written, an alarm sound that cannot play, a quiet board, ...) is raised under
// a name of its own and stays in view until it is cleared, whatever passes
// meanwhile. With faults standing the label shows them, oldest first; with none
// it shows the latest passing text.
#pragma once

#include <QObject>
#include <QString>
#include <QVector>

class StatusLine : public QObject {
    Q_OBJECT
public:
    explicit StatusLine(const QString& initial, QObject* parent = nullptr);

    void show(const QString& text);
    // Raises or rewords the fault `name`.
    void raise(const QString& name, const QString& text);
    void clear(const QString& name);

    bool standing(const QString& name) const;
    const QString& passing() const { return m_passing; }
    QString text() const;

signals:
    // The label's text changed.
    void changed(const QString& text);

private:
    struct Fault {
        QString name;
        QString text;
    };
    void update();

    QString m_passing;
    QVector<Fault> m_faults;
    QString m_shown;
};
