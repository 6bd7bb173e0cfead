#pragma once

#include <QDialog>
#include <QString>

#include <array>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The key-code setup window "遥控键值设置": twelve rows of caption, code
// field and selector. A received key line lands in Text7 and from there in
// the selected row; "保存" writes all twelve rows to the settings file at
// `settingsPath`.
class Form2 : public QDialog {
    Q_OBJECT
public:
    explicit Form2(const QString& settingsPath, QWidget* parent = nullptr);

    QLineEdit* Text1(int index) const { return m_codes.at(std::size_t(index)); }
    QRadioButton* Opt(int k) const { return m_opts.at(std::size_t(k - 1)); }
    QLineEdit* Text7() const { return m_received; }
    QPushButton* Command1() const { return m_save; }
    QPushButton* Command2() const { return m_cancel; }

    // A key line for the receive field. The same code pressed again still
    // teaches the selected row, so one key can be taught to two rows.
    void receive(const QString& line);

    // The load step: row 1 selected, every row showing its stored code.
    void Form_Load();
    // Teaches the selected row, but only while the window is shown: a hidden
    // window must not change what the operator will see and save.
    void Text7_Change();
    void Command1_Click();
    void Command2_Click();

protected:
    // Every showing starts from the codes stored in the settings file.
    void showEvent(QShowEvent* event) override;

private:
    void buildRows();
    void showStoredCodes();

    std::array<QLabel*, 12> m_labels {};
    std::array<QLineEdit*, 12> m_codes {};
    std::array<QRadioButton*, 12> m_opts {};
    QLineEdit* m_received = nullptr;
    QPushButton* m_save = nullptr;
    QPushButton* m_cancel = nullptr;
    QString m_settingsPath;
};
