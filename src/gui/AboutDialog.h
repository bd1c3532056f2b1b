#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class AboutDialog;
}

// Name, version and what the program is for. Escape, Enter and the window manager's close button close it.
class AboutDialog : public QDialog {
    Q_OBJECT

public:
    explicit AboutDialog(QWidget* parent = nullptr);
    ~AboutDialog() override;

private:
    void showIcon();

    std::unique_ptr<Ui::AboutDialog> m_ui;
};
