#pragma once
// "SEC文件信息描述": the information text of a product description, copied
// when the dialog is made, in a sunken multi-line read-only text, and a
// "关闭" button.

#include <QDialog>

#include "product/ProductDescription.h"

class QLabel;

class CFileInfoDlg : public QDialog {
    Q_OBJECT

public:
    explicit CFileInfoDlg(const ProductDescription& description, QWidget* parent = nullptr);

    const ProductDescription& Description() const { return m_description; }
    // The text shown (UTF-8).
    QString InfoText() const;

private:
    ProductDescription m_description;
    QLabel* m_pText = nullptr;
};
