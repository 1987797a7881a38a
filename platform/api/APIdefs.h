// The host's application-interface records, codes and handler types: the data that crosses
// between the host and an add-on. Plain records with fixed-width fields (16-bit "short",
// 32-bit "long"/"int"/"unsigned"), so both sides agree on them whatever the compiler's `long`.
// The host fills records that the add-on hands it; blocks (GSHandle) and objects that a call
// hands out are owned as each call's comment says. Everything runs on the host's main thread.
#pragma once

#include "gs/GSTypes.h"

namespace IO { class Location; }

// ---- Codes -------------------------------------------------------------------------------

// A four-character selector or code, 'ABCD', as the host compares them.
constexpr UInt32 API_FourCC (const char (&text)[5])
{
    return (UInt32 (UInt8 (text[0])) << 24) | (UInt32 (UInt8 (text[1])) << 16) |
           (UInt32 (UInt8 (text[2])) << 8) | UInt32 (UInt8 (text[3]));
}

constexpr GSErrCode APIERR_GENERAL = static_cast<GSErrCode> (0x81060001);       // not bound / general failure
constexpr GSErrCode APIERR_BADID = static_cast<GSErrCode> (0x81060003);         // no such element or item
constexpr GSErrCode APIERR_BADPARS = static_cast<GSErrCode> (0x81060005);       // bad parameters
constexpr GSErrCode APIERR_NOPLAN = static_cast<GSErrCode> (0x81060009);        // no open project
constexpr GSErrCode APIERR_NOSEL = static_cast<GSErrCode> (0x810600CE);         // nothing selected (counts as success)
constexpr GSErrCode APIERR_NOMODULEDATA = static_cast<GSErrCode> (0x81060195);  // nothing stored for the add-on
constexpr GSErrCode APIERR_BADDATAVERSION = static_cast<GSErrCode> (0x81060196);  // stored block of another version
constexpr GSErrCode APIERR_MISSINGFUNCTION = static_cast<GSErrCode> (0x81060387); // host table has no such entry
constexpr GSErrCode APIERR_NOTFOUND = static_cast<GSErrCode> (0x81060400);      // library part not found
constexpr GSErrCode APIERR_REFUSED = static_cast<GSErrCode> (0x81060401);       // the host refused a change

constexpr UInt32 API_InterfaceVersion = 0x000A0001;
constexpr Int32 API_AddonKindNormal = 1;   // CheckEnvironment's answer for a loadable add-on

// Selectors of the grouped operations.
constexpr UInt32 APIIo_GetMenuItemFlagsID = API_FourCC ("GMIF");
constexpr UInt32 APIIo_SetMenuItemFlagsID = API_FourCC ("SMIF");
constexpr UInt32 APIIo_InitProcessWindowID = API_FourCC ("IPWD");
constexpr UInt32 APIIo_SetProcessPhaseID = API_FourCC ("SPRP");
constexpr UInt32 APIIo_SetProcessValueID = API_FourCC ("SPRV");
constexpr UInt32 APIIo_IsProcessCanceledID = API_FourCC ("CANC");
constexpr UInt32 APIIo_CloseProcessWindowID = API_FourCC ("CPWD");
constexpr UInt32 APIEnv_GetSpecFolderID = API_FourCC ("GSPF");
constexpr UInt32 APIEnv_GetStorySettingsID = API_FourCC ("GSTO");
constexpr UInt32 APIEnv_ChangeStorySettingsID = API_FourCC ("CSTO");
constexpr UInt32 APIDb_GetCurrentWindowID = API_FourCC ("GWIN");
constexpr UInt32 APIDb_GetCurrentDatabaseID = API_FourCC ("GDAT");
constexpr UInt32 APIDb_ChangeCurrentDatabaseID = API_FourCC ("CDAT");
constexpr UInt32 APIDo_ChangeWindowID = API_FourCC ("CHWD");
constexpr UInt32 APIAny_OpenParametersID = API_FourCC ("OPAR");
constexpr UInt32 APIAny_GetActParametersID = API_FourCC ("GPAR");
constexpr UInt32 APIAny_GetParamValuesID = API_FourCC ("GPVL");
constexpr UInt32 APIAny_ChangeAParameterID = API_FourCC ("CHGP");
constexpr UInt32 APIAny_CloseParametersID = API_FourCC ("CPAR");
constexpr UInt32 APIAny_NeigIDToElemTypeID = API_FourCC ("NTOE");

constexpr UInt32 API_StairVariation = API_FourCC ("SYST");   // head variation of a stair (type 6)

// ---- Elements ----------------------------------------------------------------------------

using API_ElemTypeID = Int32;   // the host's element-kind number

// The part of every element record that says which element it is and where it lies.
struct API_Elem_Head {
    API_ElemTypeID typeID;   // element kind
    Int32 index;             // element index within its kind, from 1
    UInt32 variationID;      // four-character variation code; 'SYST' on a stair
    Int16 floorInd;          // story index
    UInt8 hotlinkFlag;       // on a placed module (type 28): the instance copies a hotlinked module
    UInt8 filler;
    Int32 moduleInstanceInd; // the placed module (type 28) that holds this element; 0 for none
};

// One element. Fields past the head mean something only for the kinds named.
struct API_Element {
    API_Elem_Head header;
    Int32 libInd;       // library-part placements (types 4 to 7): the library-part index
    Int32 moduleKind;   // placed modules (type 28): 1 for a hotlinked module instance
};

struct API_AddParType;

// Extra data of an element, handed out in blocks that ACAPI_DisposeElemMemoHdls releases.
struct API_ElementMemo {
    API_AddParType** params;   // parameter list of a placement (array of API_AddParType)
    GSHandle linkBlock;        // placed module: link data, 32-bit words; word 2 non-zero when linked
};

constexpr UInt64 APIMemoMask_AddPars = 4;   // memo part 4: the parameter list

// The host's 16-byte reference to a selectable item.
struct API_Neig {
    Int32 neigID;    // reference kind
    Int32 index;     // element index
    Int16 inIndex;   // sub-index
    Int16 filler1;
    Int32 filler2;
};
static_assert (sizeof (API_Neig) == 16, "a selection reference is 16 bytes");

struct API_SelectionInfo {
    Int32 typeID;        // 0 nothing, 1 elements selected, 2 and above a marquee
    Int32 sel_nElem;     // number of selected elements
    UInt8 multiStory;    // marquee reaches all stories
    UInt8 filler[3];
    GSHandle marquee;    // marquee polygon (caller releases)
};

struct API_ElemInfo3D {
    Int32 fbody;   // first body index
    Int32 lbody;   // last body index, included; below fbody when the element has no body
};

constexpr Int32 API_BodyComponentKind = 1;

struct API_Component3D {
    Int32 typeID;   // component kind; 1 is a body
    Int32 index;    // body index
    Int32 nPgon;    // answer: polygons of the body
};

// ---- Library parts and parameters ---------------------------------------------------------

constexpr Int32 API_LibPartTextLength = 256;

struct API_LibPart {
    Int32 index;                              // library-part index in the open project
    char docu_UName[API_LibPartTextLength];   // the part's name
    char ownUnID[API_LibPartTextLength];      // the part's unique-ID text
    IO::Location* location;                   // answered by Search and Get; the caller deletes it
};

constexpr Int32 API_ParTextType = 12;   // a text parameter
constexpr Int32 API_ParNameLength = 64;
constexpr Int32 API_ParValueLength = 256;

struct API_AddParType {
    Int32 typeID;                          // parameter kind; 12 is text
    Int16 typeMod;                         // 0 single value, otherwise an array
    Int16 filler;
    char name[API_ParNameLength];          // zero-terminated
    char valueText[API_ParValueLength];    // text parameters: the current value
    double value;                          // numeric parameters
};

// Owner for 'OPAR': a library part (libInd) or a placement (typeID and index, libInd 0).
struct API_ParamOwnerType {
    Int32 libInd;
    API_ElemTypeID typeID;
    Int32 index;
};

// 'GPAR' answer; the caller releases params with ACAPI_DisposeAddParHdl.
struct API_GetParamsType {
    API_AddParType** params;
};

// 'GPVL': the value list of a text parameter; the caller releases both blocks.
struct API_GetParamValuesType {
    char name[API_ParNameLength];
    Int16 nVals;          // number of texts
    Int16 filler;
    GSHandle strValues;   // nVals consecutive zero-terminated texts
    GSHandle extra;       // a second block the host hands out with the list
};

// 'CHGP': the new value of one parameter of the open owner.
struct API_ChangeParamType {
    char name[API_ParNameLength];
    char* uStrValue;      // new text; allocated by the caller with new[]
    double realValue;
    Int32 ind1, ind2;
};

// ---- Stories, windows, databases -----------------------------------------------------------

struct API_StoryType {
    Int16 index;
    Int16 filler;
    double level;
};

struct API_StoryInfo {
    Int16 firstStory;      // lowest story index
    Int16 lastStory;       // highest story index
    Int16 actStory;        // current story index
    UInt8 skipNullFloor;   // story numbers skip zero (index 0 is number 1)
    UInt8 filler;
    GSHandle data;         // the stories, array of API_StoryType (caller releases)
};

struct API_StoryCmdType {
    Int32 action;   // 0: make story `index` current
    Int16 index;
    Int16 filler;
};

using API_WindowTypeID = Int32;   // 1 the story plan, 4 the model view of all stories

struct API_WindowInfo {
    API_WindowTypeID typeID;
    Int32 index;
};

using API_DatabaseTypeID = Int32;   // 1 the floor plan

struct API_DatabaseInfo {
    API_DatabaseTypeID typeID;
    Int32 index;
};

// Progress window: 'IPWD' takes (title, Int16* phase count); 'SPRP' (phase text, Int32* maximum);
// 'SPRV' (Int32* value); 'CANC' answers non-zero when the user asked to stop; 'CPWD' closes.

// ---- Module data ------------------------------------------------------------------------

struct API_ModulData {
    Int32 dataVersion;
    UInt16 platformSign;
    UInt16 filler;
    GSHandle dataHdl;   // the block; ownership as each call says
};

using API_MDSetCmd = Int32;
constexpr API_MDSetCmd APIMDSetMerge = 13;

// ---- Entry points, menus, events -------------------------------------------------------

constexpr Int32 API_NameLength = 256;

struct API_EnvirParams {
    struct {
        char name[API_NameLength];
        char description[API_NameLength];
    } addOnInfo;
};

struct API_MenuItemRef {
    Int16 menuResID;
    Int16 filler;
    Int32 itemIndex;
};

struct API_MenuParams {
    API_MenuItemRef menuItemRef;
};

constexpr Int32 API_MenuItemChecked = 2;   // menu item flag: check mark

using API_NotifyEventID = Int32;
using API_PaletteMessageID = Int32;

using APIMenuCommandProc = GSErrCode (*) (const API_MenuParams* params);
using APIProjectEventHandlerProc = GSErrCode (*) (API_NotifyEventID event, Int32 param);
using APIModulDataMergeHandlerProc = GSErrCode (*) (API_MDSetCmd command, const API_ModulData* first,
                                                    const API_ModulData* second, API_ModulData* destination);
using APIPaletteControlCallBackProc = GSErrCode (*) (Int32 referenceID, API_PaletteMessageID messageID);

