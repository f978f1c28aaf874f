// Animation transforms of mesh groups. The host keeps the pointers it is given;
// the module that creates a transform owns it and must outlive the animation.
#ifndef QUORVANE_SDK_MESH_TRANSFORM_H
#define QUORVANE_SDK_MESH_TRANSFORM_H

#include "orbiter_types.h"

// No virtual destructor: the layout matches the simulator's SDK, and the owner
// always deletes a transform through its own type.
class MGROUP_TRANSFORM {
public:
    enum TYPE { NULLTRANSFORM, ROTATE, TRANSLATE, SCALE };
    MGROUP_TRANSFORM() : mesh(0), grp(0), ngrp(0) {}
    MGROUP_TRANSFORM(UINT _mesh, UINT *_grp, UINT _ngrp) : mesh(_mesh), grp(_grp), ngrp(_ngrp) {}
    virtual TYPE Type() const { return NULLTRANSFORM; }

    UINT mesh;  // mesh index
    UINT *grp;  // group indices
    UINT ngrp;  // number of groups
};

class MGROUP_ROTATE : public MGROUP_TRANSFORM {
public:
    MGROUP_ROTATE(UINT _mesh, UINT *_grp, UINT _ngrp, const VECTOR3 &_ref, const VECTOR3 &_axis, float _angle)
        : MGROUP_TRANSFORM(_mesh, _grp, _ngrp), ref(_ref), axis(_axis), angle(_angle) {}
    TYPE Type() const override { return ROTATE; }

    VECTOR3 ref;   // point on the rotation axis [m]
    VECTOR3 axis;  // rotation axis
    float angle;   // rotation angle over the full state range [rad]
};

class MGROUP_TRANSLATE : public MGROUP_TRANSFORM {
public:
    MGROUP_TRANSLATE(UINT _mesh, UINT *_grp, UINT _ngrp, const VECTOR3 &_shift)
        : MGROUP_TRANSFORM(_mesh, _grp, _ngrp), shift(_shift) {}
    TYPE Type() const override { return TRANSLATE; }

    VECTOR3 shift;  // translation over the full state range [m]
};

class MGROUP_SCALE : public MGROUP_TRANSFORM {
public:
    MGROUP_SCALE(UINT _mesh, UINT *_grp, UINT _ngrp, const VECTOR3 &_ref, const VECTOR3 &_scale)
        : MGROUP_TRANSFORM(_mesh, _grp, _ngrp), ref(_ref), scale(_scale) {}
    TYPE Type() const override { return SCALE; }

    VECTOR3 ref;    // scaling centre [m]
    VECTOR3 scale;  // scale factors at the end of the state range
};

#endif
