// Table entries for 3D information and body components, answered from the project model.
//
// Which bodies: a placement (types 4 to 7) takes them from its library part: the counts listed for
// the placement's value of the part's detail parameter (its own value, else the part's default
// text), or the part's fixed counts when that value has no entry. Other elements carry their own.
// An element without a 3D model (has3D false, or a placement whose library part is gone) fails.
//
// Body numbering: ACAPI_Element_Get3DInfo builds the element's model and numbers its bodies from a
// running counter (the first model gets 1 .., the next one continues after it; the counter starts
// again at 1 before it would overflow). Only the bodies of the model built last can be read;
// ACAPI_3D_GetComponent answers APIERR_BADID for any other number, so a stale number never reads
// another element's bodies. Both calls cost a few lookups, whatever the model's size, and keep no
// more than the last model's element and range. Polygon counts are read when asked.
#include "Host.h"

#include <limits>

namespace HostSim {

namespace {

const Int32 Nothing = 0;   // where an empty list of counts points

// The polygon counts of an element's bodies, where they are held.
struct Bodies {
    const Int32* counts = nullptr;   // null: no 3D model
    size_t size = 0;
};

Bodies Of (const std::vector<Int32>& counts) { return {counts.data () != nullptr ? counts.data () : &Nothing, counts.size ()}; }

// The polygon counts of the element's bodies; none when it has no 3D model.
Bodies BodiesOf (const Project& project, const Element& element)
{
    if (!element.has3D)
        return {};
    if (element.type < 4 || element.type > 7)
        return {element.bodies.data (), element.bodies.size ()};
    if (element.libInd < 1 || static_cast<size_t> (element.libInd) > project.libParts.size ())
        return {};
    const LibPart* part = &project.libParts[static_cast<size_t> (element.libInd - 1)];
    if (part->detailParam.empty () || part->bodiesByValue.empty ())
        return Of (part->bodies);
    const std::string* value = nullptr;
    auto own = element.paramValues.find (part->detailParam);
    if (own != element.paramValues.end ()) {
        value = &own->second;
    } else {
        for (const ParamDef& param : part->params) {
            if (param.name == part->detailParam) {
                value = &param.text;
                break;
            }
        }
    }
    if (value != nullptr) {
        auto byValue = part->bodiesByValue.find (*value);
        if (byValue != part->bodiesByValue.end ())
            return Of (byValue->second);
    }
    return Of (part->bodies);
}

GSErrCode ElementGet3DInfo (API_Client c, API_ElemTypeID type, Int32 index, API_ElemInfo3D* info)
{
    Host& host = Host::Of (c);
    if (GSErrCode e = host.failures.Check ("ACAPI_Element_Get3DInfo"))
        return e;
    if (info == nullptr)
        return APIERR_BADPARS;
    Built3D& built = host.built3D;
    built.type = 0;   // the previous model is gone, whatever happens next
    built.index = 0;
    built.fbody = 1;
    built.lbody = 0;
    const Element* element = host.project.FindElement (type, index);
    if (element == nullptr)
        return APIERR_BADID;
    const Bodies bodies = BodiesOf (host.project, *element);
    if (bodies.counts == nullptr)
        return APIERR_GENERAL;

    const Int32 n = static_cast<Int32> (bodies.size);
    if (built.nextBody > std::numeric_limits<Int32>::max () - n)
        built.nextBody = 1;
    built.type = type;
    built.index = index;
    built.fbody = built.nextBody;
    built.lbody = built.nextBody + n - 1;
    built.nextBody += n;
    info->fbody = built.fbody;
    info->lbody = built.lbody;
    return NoError;
}

GSErrCode GetComponent3D (API_Client c, API_Component3D* component)
{
    Host& host = Host::Of (c);
    if (GSErrCode e = host.failures.Check ("ACAPI_3D_GetComponent"))
        return e;
    if (component == nullptr || component->typeID != API_BodyComponentKind)
        return APIERR_BADPARS;
    const Built3D& built = host.built3D;
    if (built.type == 0 || component->index < built.fbody || component->index > built.lbody)
        return APIERR_BADID;
    const Element* element = host.project.FindElement (built.type, built.index);
    const Bodies bodies = element != nullptr ? BodiesOf (host.project, *element) : Bodies ();
    const size_t body = static_cast<size_t> (component->index - built.fbody);
    if (bodies.counts == nullptr || body >= bodies.size)   // the model changed since it was built
        return APIERR_BADID;
    component->nPgon = bodies.counts[body];
    return NoError;
}

}   // namespace

void InstallModelOps (Host&, API_HostTable& table)
{
    table.elementGet3DInfo = &ElementGet3DInfo;
    table.getComponent3D = &GetComponent3D;
}

}   // namespace HostSim
