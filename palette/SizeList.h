// The size list: page 4's list of the last census. One root row per reported element kind (its
// elements, polygons and share of all polygons) and, under an expanded library-part kind, one row
// per library part in ranking order with its detail level. Root rows are always grayed; a part row
// is grayed when its part cannot take a level (no detail parameter, hotlinked or outside the
// workspace, level 0 not offered).
//
// Ownership: the list owns its icons, header items and expanded state; its rows designate rows of
// RefreshData::current's ranked lists, which live until the next census or a project close, when
// the list is refilled or destroyed. Framework errors are ignored. Host main thread only.
#pragma once

#include "api/APIdefs.h"
#include "census/RefreshData.h"
#include "dg/Icon.h"
#include "dg/ListBox.h"
#include "dg/StaticText.h"
#include "gs/HashTable.h"

class SizeList : public DG::MultiSelListBox {
public:
    explicit SizeList (const DG::Panel& panel);   // on item 6 of page 4's panel
    ~SizeList () override;

    // Column layout and headers for the list's current width.
    void MyResize ();
    void InitExpanded ();
    // Runs a census and refills the list.
    void PopulateTree ();
    void FillListBox ();
    void ListBoxInsertItemUnderRoot (const char* name, Int32 count, Int64 polygons, Int64 total, API_ElemTypeID type);
    // Shows / hides the library-part rows under root row `row`.
    void ListBoxInsertItems (Int16 row);
    void ListBoxDeleteItems (Int16 row);
    // A part row's detail text from its census row.
    void GetActValue (Int16 row);
    // Every active part row's detail text from the live detail-level table.
    void ValidateDetailColumn ();
    // Selects the model elements behind the selected rows.
    void MySelect (bool useMarquee, bool allStories, Int32 fromStory, Int32 toStory);

    // The census row behind a library-part row; null for a root row or a stale value.
    const LibRow* RowOf (Int16 row) const;
    bool IsLibPartRow (Int16 row) const;   // tab 2 holds the library-part icon

    static constexpr Int16 ListItem = 6;

private:
    DG::Icon* collapsedIcon = nullptr;
    DG::Icon* expandedIcon = nullptr;
    DG::Icon* rootIcon = nullptr;
    DG::Icon* libPartIcon = nullptr;
    float ratios[15] = {};
    Int32 w1 = 0, e2 = 0, e3 = 0, e4 = 0, e5 = 0;
    DG::LeftText nameHeader;
    DG::LeftText detailHeader;
    DG::RightText countHeader;
    DG::RightText polygonHeader;
    DG::RightText shareHeader;
    GS::HashTable<API_ElemTypeID, bool> expanded;
};
