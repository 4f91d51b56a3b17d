#pragma once
// The colour picker: the colour tables in nine colour combo boxes over two pages and a red,
// green and blue editor on a third. It starts from StartColor (the main window's swatch) at
// every showing, keeps the current colour in its swatch and leaves the chosen colour as a
// style sheet colour text in StaticTxtColName, read after OK (color_choice.h).
#include <QDialog>
#include <array>

#include "platform/colors.h"

class QLabel;
class QPushButton;
class QSlider;
class QTabWidget;
class QWidget;

namespace pavik {

class HelpDesk;
class TColorLookupComboBox;
class TPvLabel;
class TPvNumericEdit;

class TfrmColorPicker : public QDialog {
    Q_OBJECT
public:
    // `desk` may be null: the help button is then disabled, as without a help file.
    explicit TfrmColorPicker(HelpDesk* desk, QWidget* owner = nullptr);

    // The colour InitColor starts from, and its alpha: below 1 every result is an rgba() text
    // with that alpha, so that a colour chosen for a translucent one stays as translucent.
    TColor StartColor = clWhite;
    double StartAlpha = 1;
    // The chosen colour text (ASCII).
    QString result() const;
    // Whether the user chose a colour whose text differs from the one shown at the start.
    bool changed() const { return result() != startResult_; }
    // The current colour (the swatch's).
    TColor swatchColor() const { return swatch_; }

    QTabWidget* PageControl1 = nullptr;
    TColorLookupComboBox* CLCmbBoxCommon16 = nullptr;
    TColorLookupComboBox* CLCmbBoxSystemColor = nullptr;
    TColorLookupComboBox* CLCmbBoxColorName = nullptr;
    // CLCmbBoxWebSafe0, 51, 102, 153, 204, 255.
    std::array<TColorLookupComboBox*, 6> CLCmbBoxWebSafe{};
    TPvNumericEdit* NumEditRed = nullptr;
    TPvNumericEdit* NumEditGreen = nullptr;
    TPvNumericEdit* NumEditBlue = nullptr;
    QSlider* TrackBarRed = nullptr;
    QSlider* TrackBarGreen = nullptr;
    QSlider* TrackBarBlue = nullptr;
    QLabel* StaticTxtColName = nullptr;
    QWidget* ShapeColor = nullptr;
    // "フォアグラウンドテキスト" over the swatch; hidden and disabled unless the owner shows it.
    TPvLabel* LabelFore = nullptr;
    QLabel* StaticTxtColorR = nullptr;
    QLabel* StaticTxtColorG = nullptr;
    QLabel* StaticTxtColorB = nullptr;
    QPushButton* BitBtnOK = nullptr;
    QPushButton* BitBtnCancel = nullptr;
    QPushButton* BitBtnHelp = nullptr;

    void InitColor();
    void ColorBoxCSS16Change();
    void ColorBoxSystemColorChange();
    void ColorBoxColorNameChange();
    // ColorBoxWebSafe0Change .. ColorBoxWebSafe255Change by table.
    void ColorBoxWebSafeChange(int table);
    void PageControl1Change(int index);
    // TrackBarRedChange / TrackBarGreenChange / TrackBarBlueChange by component (0 red).
    void TrackBarChange(int component);
    // EditRedExit / EditGreenExit / EditBlueExit by component.
    void EditExit(int component);
    void BitBtnHelpClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* createColorPage();
    QWidget* createWebSafePage();
    QWidget* createRGBPage();
    // Red, green and blue of a colour, system colours resolved through the palette.
    std::array<int, 3> components(TColor c) const;
    // Swatch and component captions.
    void showColor(TColor c);
    void setResult(const std::string& text);

    HelpDesk* desk_;
    TColor swatch_ = clWhite;
    QString startResult_;
    std::array<TPvNumericEdit*, 3> edits_{};
    std::array<QSlider*, 3> trackBars_{};
};

}  // namespace pavik
