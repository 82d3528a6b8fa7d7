#pragma once

#include <QDialog>
#include <QList>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

// "Importa archivio precedente": brings the original program's Access database into the empty
// database, with a progress bar per table and the report, which can be saved as text.
class FrmImporta : public QDialog {
    Q_OBJECT
public:
    explicit FrmImporta(QWidget* parent = nullptr);

    QLineEdit* TxtFile() const { return m_file; }
    QPushButton* BtnScegli() const { return m_scegli; }
    QPushButton* BtnImporta() const { return m_importa; }
    QPushButton* BtnSalva() const { return m_salva; }
    QProgressBar* PBar(int index) const { return m_bars.value(index); }
    QPlainTextEdit* TxtResoconto() const { return m_report; }

private:
    void BtnScegli_Click();
    void BtnImporta_Click();
    void BtnSalva_Click();
    void showProgress(int index, long long done, long long total);

    QLineEdit* m_file = nullptr;
    QPushButton* m_scegli = nullptr;
    QPushButton* m_importa = nullptr;
    QPushButton* m_salva = nullptr;
    QPushButton* m_chiudi = nullptr;
    QList<QProgressBar*> m_bars;
    QList<QLabel*> m_counts;
    QPlainTextEdit* m_report = nullptr;
};
