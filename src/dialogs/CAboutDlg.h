#pragma once
// "关于 kelvra": the application's name, version and contact lines and "确定".

#include <QDialog>

class CAboutDlg : public QDialog {
    Q_OBJECT

public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};
