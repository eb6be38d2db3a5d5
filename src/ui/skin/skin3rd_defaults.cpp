// The class-name mappings a TSkinData starts with: classes of other component
// libraries, each mapped to the kind of control skin that draws it. A list
// stored with the form replaces this one.
#include "ui/skin/skin_data.h"

namespace kestrone {

const TextList& DefaultSkin3rd() {
    static const TextList kList = {
        "TComboboxex=combobox", "TControlBar=Panel", "TDBCtrlGrid=scrollbar",
        "TListBox=scrollbar", "TCheckListBox=scrollbar", "TDBListBox=scrollbar",
        "TDBLookupListBox=scrollbar", "TFileListBox=scrollbar", "TDirectoryListBox=scrollbar",
        "TMemo=scrollbar", "TDBMemo=scrollbar", "TRichEdit=scrollbar", "TDBRichEdit=scrollbar",
        "TStringGrid=scrollbar", "TDrawGrid=scrollbar", "TDBGrid=scrollbar",
        "TTreeView=scrollbar", "TValueListEditor=scrollbar", "TScrollBox=scrollbar",
        "TDriveComboBox=combobox", "TFilterComboBox=combobox", "TColorBox=combobox",
        "TDBComboBox=combobox", "TDBLookupComboBox=combobox", "TMaskEdit=edit",
        "TLabeledEdit=edit", "TDBEdit=edit", "TSpinEdit=edit", "THotKey=edit",
        "TDateTimePicker=datetimepicker", "TMonthCalendar=nil", "TTrackBar=trackbar",
        "TProgressBar=progress", "TStaticText=nil", "TDBCheckBox=checkbox",
        "TDBRadioGroup=radiogroup", "TFlowPanel=panel", "TGridPanel=panel",
        "TCategoryPanelGroup=container", "TRxSpinEdit=edit", "TRxCalcEdit=edit",
        "TCurrencyEdit=edit", "TComboEdit=edit", "TFilenameEdit=edit", "TDirectoryEdit=edit",
        "TDateEdit=edit", "TRxDBComboBox=combobox", "TRxCheckListBox=scrollbar",
        "TRxRichEdit=scrollbar", "TRxDBGrid=scrollbar", "TRxSpeedButton=speedbutton",
        "TJvEdit=edit", "TJvComboBox=combobox", "TJvMemo=scrollbar", "TJvListBox=scrollbar",
        "TJvCheckBox=checkbox", "TJvRadioButton=radiobutton", "TJvGroupBox=groupbox",
        "TJvPanel=panel", "TJvBitBtn=bitbtn", "TJvSpeedButton=speedbutton",
        "TJvSpinEdit=edit", "TJvDateEdit=edit", "TJvDBGrid=scrollbar",
        "TJvPageControl=tab", "TJvProgressBar=progress", "TJvTrackBar=trackbar",
        "TRzEdit=edit", "TRzComboBox=combobox", "TRzMemo=scrollbar", "TRzListBox=scrollbar",
        "TRzCheckBox=checkbox", "TRzRadioButton=radiobutton", "TRzGroupBox=groupbox",
        "TRzPanel=panel", "TRzBitBtn=bitbtn", "TRzButton=button", "TRzPageControl=tab",
        "TRzProgressBar=progress", "TRzRadioGroup=radiogroup", "TRzCheckGroup=checkgroup",
        "TAdvEdit=edit", "TAdvComboBox=combobox", "TAdvMemo=scrollbar",
        "TAdvStringGrid=scrollbar", "TAdvPageControl=advpagecontrol", "TAdvGlowButton=button",
        "TAdvProgressBar=progress", "TPngBitBtn=pngbitbtn", "TPngSpeedButton=speedbutton",
        "TMenuButton=menubtn", "TDropDownButton=menubtn", "TSpinButton=nil",
        "TUpDown=nil", "TMediaPlayer=mediaplayer", "TTntEdit=edit", "TTntComboBox=combobox",
        "TTntMemo=scrollbar", "TTntListBox=scrollbar", "TTntCheckBox=checkbox",
        "TTntRadioButton=radiobutton", "TTntGroupBox=groupbox", "TTntPanel=panel",
        "TTntButton=button", "TTntBitBtn=bitbtn", "TTntPageControl=tab",
        "TTntRadioGroup=radiogroup", "TTntStringGrid=scrollbar", "TTntDBGrid=scrollbar",
        "TElEdit=edit", "TElComboBox=combobox", "TElListBox=scrollbar", "TElTree=embedscrollbar",
        "TVirtualStringTree=embedscrollbar", "TVirtualDrawTree=embedscrollbar",
        "TSynEdit=singlescrollbar", "TDBSynEdit=singlescrollbar",
    };
    return kList;
}

}  // namespace kestrone
