#pragma once
// Answers every message box that opens while it lives, noting what each one showed.

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

struct ShownBox {
    QString title, text;
    QMessageBox::Icon icon;
    QMessageBox::StandardButtons buttons;
};

class ModalAnswerer {
public:
    ModalAnswerer()
    {
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr)
                return;
            shown.append({box->windowTitle(), box->text(), box->icon(), box->standardButtons()});
            box->accept();
        });
        m_timer.start();
    }
    QList<ShownBox> shown;
    QStringList texts() const
    {
        QStringList all;
        for (const ShownBox& box : shown)
            all << box.text;
        return all;
    }

private:
    QTimer m_timer;
};
