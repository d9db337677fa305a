#pragma once
// The lookup dialog: a sortable, searchable list from which the user picks one
// value, handed back in InstallerState::strLookupResult. In the "SQL Server" mode
// the list holds the SQL servers that answer on the network.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "common/user_interface.h"
#include "installer/dialogs/flex_grid.h"
#include "installer/dialogs/form_controls.h"
#include "installer/installer_state.h"

namespace wf {

// Lists the SQL servers available; element 0 is empty when there is none.
using ServerListSource = std::function<std::vector<std::string>()>;

// Key codes the dialog reacts to.
enum KeyCode : int { kKeyReturn = 13, kKeyEscape = 27, kKeyUp = 38, kKeyDown = 40 };

// The data control that feeds the grid outside the "SQL Server" mode; only the
// sort of its record set is ever set.
struct DataControl {
    std::string recordSetSort;
};

class frmUtilLookupCode {
public:
    // Design size of the window and of the grid, in twips.
    static constexpr int kDesignHeight = 5860;
    static constexpr int kDesignWidth = 6180;
    static constexpr int kGridHeight = 4095;

    // `releaseSharedInstance` is called when the form unloads, so that the next
    // use starts from a fresh form.
    frmUtilLookupCode(InstallerState& state, UserInterface& ui, ServerListSource serverList,
                      std::function<void()> releaseSharedInstance);
    // The focus refers to the form's own controls: a form is never copied.
    frmUtilLookupCode(const frmUtilLookupCode&) = delete;
    frmUtilLookupCode& operator=(const frmUtilLookupCode&) = delete;

    // Set by the caller before showing the dialog.
    std::string strLookupType;
    bool bolAllowAddOTF = false;
    std::string strFilterCriteria;
    std::string strPassedContractNo;
    std::string strPassedContractCustNo;
    std::string strFilterStartItem;
    std::string strFilterEndItem;
    std::string strFilterDescription;
    std::string strFilterVendor;
    std::string strFilterCategory;

    FormWindow window;
    ScreenArea screen;
    FlexGrid MSHFlexGrid1;
    DataControl Adodc1;
    TextBox txtSearch;
    Label Label1;
    PictureBox picSortArrowDn;
    PictureBox picSortArrowUp;
    CommandButton cmdOK;
    CommandButton cmdCancel;
    CommandButton cmdAddNew;
    PictureBox picFilterOn;
    Label lblFilterOn;

    void Form_Load();
    void Form_Activate();
    void Form_Resize();
    // The window's close box.
    void Form_Close();
    void cmdOK_Click();
    void cmdCancel_Click();
    void MSHFlexGrid1_DblClick();
    void MSHFlexGrid1_KeyDown(int& keyCode, int shift);
    void MSHFlexGrid1_LeaveCell();
    void MSHFlexGrid1_RowColChange();
    // Button, shift state and position (twips, grid coordinates) of a press or release.
    void MSHFlexGrid1_MouseDown(int button, int shift, float x, float y);
    void MSHFlexGrid1_MouseUp(int button, int shift, float x, float y);
    void picSortArrowDn_MouseDown(int button, int shift, float x, float y);
    void picSortArrowUp_MouseDown(int button, int shift, float x, float y);
    void txtSearch_Change();
    // Sets keyCode to 0 when the key is used up here and must not reach the box.
    void txtSearch_KeyDown(int& keyCode, int shift);

private:
    void ShowHeadings();
    void unload();
    void Form_Unload();
    void showRowMarker();
    void moveToRow(int row);
    void scrollUntilVisible(int row);
    void placeSortArrows();
    int lastSelectedColumn() const;
    bool pressedOnDataRow(float y) const;
    int searchCandidate(const std::string& search) const;

    InstallerState& state_;
    UserInterface& ui_;
    ServerListSource serverList_;
    std::function<void()> releaseSharedInstance_;

    std::string strHeading;
    float sngMouseDownY = 0;
    std::int16_t intSortCol = 0;
    std::string strSortOrder;
    bool bolServerLookup = false;
};

}  // namespace wf
