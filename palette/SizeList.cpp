// The size list's frame: items, icons, column layout and the expanded state.
#include "SizeList.h"

#include "host/ResourceModuleLock.h"

namespace {

constexpr Int16 NameHeaderItem = 1;
constexpr Int16 CountHeaderItem = 2;
constexpr Int16 PolygonHeaderItem = 3;
constexpr Int16 ShareHeaderItem = 4;
constexpr Int16 DetailHeaderItem = 5;

constexpr Int32 RootIconId = 32600;
constexpr Int32 CollapsedIconId = 32601;
constexpr Int32 ExpandedIconId = 32602;
constexpr Int32 LibPartIconId = 32603;

constexpr Int16 TabCount = 7;
constexpr Int16 NameTabBegin = 25;
constexpr Int16 DetailGap = 5;   // space between the share and the detail column

// a / b in single precision; 0 for a header layout without width, so no column end is NaN.
float Ratio (Int32 a, Int32 b)
{
    return b > 0 ? static_cast<float> (a) / static_cast<float> (b) : 0.0f;
}

// W × ratio in single precision, truncated toward zero.
Int16 ColumnEnd (Int16 width, float ratio)
{
    return static_cast<Int16> (static_cast<float> (width) * ratio);
}

// Moves a header between `left` and `right` (relative to the panel), keeping its top and height.
void PlaceHeader (DG::Item& header, bool fits, Int32 left, Int32 right)
{
    if (!fits) {
        header.Hide ();
        return;
    }
    const DG::Rect rect = header.GetRect ();
    header.SetRect (DG::Rect{left, rect.top, right - left, rect.height});
    header.Show ();
}

}   // namespace

SizeList::SizeList (const DG::Panel& panel)
    : DG::MultiSelListBox (panel, ListItem), nameHeader (panel, NameHeaderItem), detailHeader (panel, DetailHeaderItem),
      countHeader (panel, CountHeaderItem), polygonHeader (panel, PolygonHeaderItem),
      shareHeader (panel, ShareHeaderItem)
{
    const DG::Rect name = nameHeader.GetRect ();
    const Int32 x0 = name.left;
    const auto rightEdge = [x0] (const DG::Item& header) {
        const DG::Rect r = header.GetRect ();
        return r.left + r.width - x0;
    };
    w1 = name.width;
    e2 = rightEdge (countHeader);
    e3 = rightEdge (polygonHeader);
    e4 = rightEdge (shareHeader);
    e5 = rightEdge (detailHeader);
    for (DG::Item* header : {static_cast<DG::Item*> (&nameHeader), static_cast<DG::Item*> (&countHeader),
                             static_cast<DG::Item*> (&polygonHeader), static_cast<DG::Item*> (&shareHeader),
                             static_cast<DG::Item*> (&detailHeader)})
        header->Show ();

    ResourceModuleLock ownResources;
    rootIcon = new DG::Icon (RootIconId);
    collapsedIcon = new DG::Icon (CollapsedIconId);
    expandedIcon = new DG::Icon (ExpandedIconId);
    libPartIcon = new DG::Icon (LibPartIconId);

    SetTabFieldCount (TabCount);
    const float layout[15] = {Ratio (w1, e5), Ratio (e2, e5), Ratio (e3, e5), Ratio (e4, e5), Ratio (e5, e5),
                              Ratio (w1, e4), Ratio (e2, e4), Ratio (e3, e4), Ratio (e4, e4), Ratio (w1, e3),
                              Ratio (e2, e3), Ratio (e3, e3), Ratio (w1, e2), Ratio (e2, e2), Ratio (w1, w1)};
    for (int i = 0; i < 15; ++i)
        ratios[i] = layout[i];

    SetTabFieldBeginEndPosition (1, 0, 16);
    SetTabFieldBeginEndPosition (2, 8, 24);
    SetTabFieldBeginPosition (3, NameTabBegin);
    MyResize ();
    SetTabFieldJustification (4, Right);
    SetTabFieldJustification (5, Right);
    SetTabFieldJustification (6, Right);
    SetTabFieldTruncation (3, EndTruncate);
    SetTabFieldTruncation (7, MiddleTruncate);
    InitExpanded ();
}

SizeList::~SizeList ()
{
    delete collapsedIcon;
    delete expandedIcon;
    delete rootIcon;
    delete libPartIcon;
    expanded.Clear ();
}

void SizeList::MyResize ()
{
    const Int32 x = GetRect ().left;
    const Int16 W = static_cast<Int16> (GetItemWidth () - 1);

    Int16 b1 = 0, b2 = 0, b3 = 0, b4 = 0, b5 = 0;
    if (W >= e5) {
        b1 = ColumnEnd (W, ratios[0]);
        b2 = ColumnEnd (W, ratios[1]);
        b3 = ColumnEnd (W, ratios[2]);
        b4 = ColumnEnd (W, ratios[3]);
        b5 = ColumnEnd (W, ratios[4]);
    } else if (W >= e4) {
        b1 = ColumnEnd (W, ratios[5]);
        b2 = ColumnEnd (W, ratios[6]);
        b3 = ColumnEnd (W, ratios[7]);
        b4 = ColumnEnd (W, ratios[8]);
    } else if (W >= e3) {
        b1 = ColumnEnd (W, ratios[9]);
        b2 = ColumnEnd (W, ratios[10]);
        b3 = ColumnEnd (W, ratios[11]);
    } else if (W >= e2) {
        b1 = ColumnEnd (W, ratios[12]);
        b2 = ColumnEnd (W, ratios[13]);
    } else if (W >= w1) {
        b1 = W;
    }

    const bool nameFits = W >= w1;
    const bool countFits = W >= e2;
    const bool polygonsFit = W >= e3;
    const bool shareFits = W >= e4;
    const bool detailFits = W >= e5;

    SetTabFieldEndPosition (3, nameFits ? b1 : 0);
    SetTabFieldBeginEndPosition (4, countFits ? b1 + 1 : 0, countFits ? b2 : 0);
    SetTabFieldBeginEndPosition (5, polygonsFit ? b2 + 1 : 0, polygonsFit ? b3 : 0);
    SetTabFieldBeginEndPosition (6, shareFits ? b3 + 1 : 0, shareFits ? b4 : 0);
    SetTabFieldBeginEndPosition (7, detailFits ? b4 + DetailGap : 0, detailFits ? b5 : 0);

    PlaceHeader (nameHeader, nameFits, x + GetTabFieldBeginPosition (3), x + b1);
    PlaceHeader (countHeader, countFits, x + b1 + 1, x + b2);
    PlaceHeader (polygonHeader, polygonsFit, x + b2 + 1, x + b3);
    PlaceHeader (shareHeader, shareFits, x + b3 + 1, x + b4);
    PlaceHeader (detailHeader, detailFits, x + b4 + DetailGap, x + b5);
}

void SizeList::InitExpanded ()
{
    for (API_ElemTypeID type : LibPartCensusTypes)
        expanded.Put (type, false);
}

bool SizeList::IsLibPartRow (Int16 row) const
{
    return row >= 1 && row <= GetItemCount () && GetTabItemIcon (row, 2).GetResourceId () == LibPartIconId;
}
