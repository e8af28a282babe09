#include "host/GR/GR_Detail.h"

// The drawing itself is being written; until then every operation draws
// nothing and proposes level 0.
GR_Detail::GR_Detail() = default;
GR_Detail::~GR_Detail() = default;

void GR_Detail::wireDraw(GU_Detail *, RE_Render &, float, bool, const GU_PrimGroupClosure *,
                         const GR_DisplayOption *, bool, OP_Node *) const {}
void GR_Detail::boundBoxDraw(GU_Detail *, RE_Render &, bool, const GU_PrimGroupClosure *,
                             const GR_DisplayOption *) const {}
int GR_Detail::shadedDraw(GU_Detail *, RE_Render &, float, RE_Material *, bool,
                          const GU_PrimGroupClosure *, const GR_DisplayOption *, float,
                          const UT_Matrix4 &, const UT_Matrix4 &, int, bool, OP_Node *) const
{
    return 0;
}
void GR_Detail::shadedSimpleDraw(GU_Detail *, RE_Render &, float, RE_Material *,
                                 const GR_DisplayOption *, const GU_PrimGroupClosure *) const {}
int GR_Detail::qelShadedDraw(GU_Detail *, RE_Render &, float, RE_Material *, RE_Displace *,
                             RE_Light *const *, int, bool, const UT_Matrix4 &, const UT_Matrix4 &,
                             const GU_PrimGroupClosure *, const GR_DisplayOption *, float,
                             RE_Shader *, bool, OP_Node *) const
{
    return 0;
}
void GR_Detail::wirePick(GU_Detail *, RE_Render &, float, bool, const GU_PrimGroupClosure *,
                         const GR_DisplayOption *) const {}
void GR_Detail::shadedPick(GU_Detail *, RE_Render &, float, bool, const GU_PrimGroupClosure *,
                           const GR_DisplayOption *) const {}
int GR_Detail::queryNewLOD(const GU_Detail *, const RE_Render &, float, float &lod)
{
    lod = 1.0f;
    return 0;
}
