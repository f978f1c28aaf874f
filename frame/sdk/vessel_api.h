// The host's vessel classes. VESSEL offers the operations a module calls on its
// own vessel; VESSEL2 and VESSEL3 add the callback table the host drives.
#ifndef QUORVANE_SDK_VESSEL_API_H
#define QUORVANE_SDK_VESSEL_API_H

#include "mesh_transform.h"
#include "orbiter_types.h"
#include "sketchpad.h"

// VESSEL has no virtual functions: its part of a derived object is reached by
// static_cast only, never through an untyped pointer.
class OAPIFUNC VESSEL {
public:
    VESSEL(OBJHANDLE hVessel, int fmodel = 1);
    ~VESSEL();

    // Which class the object is: 0 VESSEL, 1 VESSEL2, 2 VESSEL3.
    int Version() const;
    OBJHANDLE GetHandle() const;
    char *GetName() const;
    char *GetClassName() const;

    // Definition.
    void SetCW(double cw_z_pos, double cw_z_neg, double cw_x, double cw_y) const;
    void SetRotDrag(const VECTOR3 &rd) const;
    void SetPMI(const VECTOR3 &pmi) const;
    void SetCrossSections(const VECTOR3 &cs) const;
    void SetSize(double size) const;
    void SetEmptyMass(double m) const;
    UINT AddMesh(const char *meshname, const VECTOR3 *ofs = 0) const;
    void SetMeshVisibilityMode(UINT idx, WORD mode) const;
    void SetCameraOffset(const VECTOR3 &co) const;
    void SetTouchdownPoints(const TOUCHDOWNVTX *tdvtx, DWORD ntdvtx) const;
    PROPELLANT_HANDLE CreatePropellantResource(double maxmass, double mass = -1.0, double efficiency = 1.0) const;
    THRUSTER_HANDLE CreateThruster(const VECTOR3 &pos, const VECTOR3 &dir, double maxth0, PROPELLANT_HANDLE hp = NULL,
                                   double isp0 = 0.0, double isp_ref = 0.0, double p_ref = 101.4e3) const;
    UINT AddExhaust(THRUSTER_HANDLE th, double lscale, double wscale, const VECTOR3 &pos, const VECTOR3 &dir,
                    SURFHANDLE tex = 0) const;
    THGROUP_HANDLE CreateThrusterGroup(THRUSTER_HANDLE *th, int nth, THGROUP_TYPE type) const;
    AIRFOILHANDLE CreateAirfoil3(AIRFOIL_ORIENTATION align, const VECTOR3 &ref, AirfoilCoeffFuncEx cf, void *context,
                                 double c, double S, double A) const;
    ATTACHMENTHANDLE CreateAttachment(bool toparent, const VECTOR3 &pos, const VECTOR3 &dir, const VECTOR3 &rot,
                                      const char *id, bool loose = false) const;

    // State.
    void GetStatus(VESSELSTATUS &status) const;
    void DefSetState(const VESSELSTATUS *status) const;
    void GetGlobalPos(VECTOR3 &pos) const;
    void GetAngularVel(VECTOR3 &avel) const;
    void SetAngularVel(const VECTOR3 &avel) const;
    double GetEmptyMass() const;
    double GetPropellantMass(PROPELLANT_HANDLE ph) const;
    OBJHANDLE GetAttachmentStatus(ATTACHMENTHANDLE attachment) const;
    bool DetachChild(ATTACHMENTHANDLE attachment, double vel = 0.0) const;

    // Navigation modes.
    bool ActivateNavmode(int mode);
    bool DeactivateNavmode(int mode);
    bool GetNavmodeState(int mode);

    // Animations.
    UINT CreateAnimation(double initial_state) const;
    ANIMATIONCOMPONENT_HANDLE AddAnimationComponent(UINT anim, double state0, double state1, MGROUP_TRANSFORM *trans,
                                                    ANIMATIONCOMPONENT_HANDLE parent = NULL) const;
    bool SetAnimation(UINT anim, double state) const;

    // Scenario lines the module does not read itself.
    void ParseScenarioLineEx(char *line, void *status) const;

protected:
    short version;

private:
    // The host's own callbacks read the handle without making a host call.
    friend struct HostVesselAccess;

    OBJHANDLE vessel;
    short flightmodel;
};

class OAPIFUNC VESSEL2 : public VESSEL {
public:
    VESSEL2(OBJHANDLE hVessel, int fmodel = 1);

    virtual void clbkSetClassCaps(FILEHANDLE cfg);                                               // slot 0
    virtual void clbkSaveState(FILEHANDLE scn);                                                  // slot 1
    virtual void clbkLoadStateEx(FILEHANDLE scn, void *status);                                  // slot 2
    virtual void clbkSetStateEx(const void *status);                                             // slot 3
    virtual void clbkPostCreation();                                                             // slot 4
    virtual void clbkFocusChanged(bool getfocus, OBJHANDLE hNewVessel, OBJHANDLE hOldVessel);    // slot 5
    virtual void clbkPreStep(double simt, double simdt, double mjd);                             // slot 6
    virtual void clbkPostStep(double simt, double simdt, double mjd);                            // slot 7
    virtual bool clbkPlaybackEvent(double simt, double event_t, const char *event_type, const char *event);  // 8
    virtual void clbkVisualCreated(VISHANDLE vis, int refcount);                                 // slot 9
    virtual void clbkVisualDestroyed(VISHANDLE vis, int refcount);                               // slot 10
    virtual void clbkDrawHUD(int mode, const HUDPAINTSPEC *hps, HDC hDC);                        // slot 11
    virtual void clbkRCSMode(int mode);                                                          // slot 12
    virtual void clbkADCtrlMode(DWORD mode);                                                     // slot 13
    virtual void clbkHUDMode(int mode);                                                          // slot 14
    virtual void clbkMFDMode(int mfd, int mode);                                                 // slot 15
    virtual void clbkNavMode(int mode, bool active);                                             // slot 16
    virtual void clbkDockEvent(int dock, OBJHANDLE mate);                                        // slot 17
    virtual void clbkAnimate(double simt);                                                       // slot 18
    virtual int clbkConsumeDirectKey(char *kstate);                                              // slot 19
    virtual int clbkConsumeBufferedKey(DWORD key, bool down, char *kstate);                      // slot 20
    virtual bool clbkLoadGenericCockpit();                                                       // slot 21
    virtual bool clbkLoadPanel(int id);                                                          // slot 22
    virtual bool clbkPanelMouseEvent(int id, int event, int mx, int my);                         // slot 23
    virtual bool clbkPanelRedrawEvent(int id, int event, SURFHANDLE surf);                       // slot 24
    virtual bool clbkLoadVC(int id);                                                             // slot 25
    virtual bool clbkVCMouseEvent(int id, int event, VECTOR3 &p);                                // slot 26
    virtual bool clbkVCRedrawEvent(int id, int event, SURFHANDLE surf);                          // slot 27
};

class OAPIFUNC VESSEL3 : public VESSEL2 {
public:
    VESSEL3(OBJHANDLE hVessel, int fmodel = 1);

    virtual bool clbkPanelMouseEvent(int id, int event, int mx, int my, void *context);          // slot 28
    virtual bool clbkPanelRedrawEvent(int id, int event, SURFHANDLE surf, void *context);        // slot 29
    virtual int clbkGeneric(int msgid = 0, int prm = 0, void *context = NULL);                   // slot 30
    virtual bool clbkLoadPanel2D(int id, PANELHANDLE hPanel, DWORD viewW, DWORD viewH);          // slot 31
    virtual bool clbkDrawHUD(int mode, const HUDPAINTSPEC *hps, oapi::Sketchpad *skp);           // slot 32
    virtual void clbkRenderHUD(int mode, const HUDPAINTSPEC *hps, SURFHANDLE hDefaultTex);       // slot 33
    virtual void clbkGetRadiationForce(const VECTOR3 &mflux, VECTOR3 &F, VECTOR3 &pos);          // slot 34

    // The old HUD slot stays reachable next to the new overload.
    using VESSEL2::clbkDrawHUD;
    using VESSEL2::clbkPanelMouseEvent;
    using VESSEL2::clbkPanelRedrawEvent;
};

#endif
