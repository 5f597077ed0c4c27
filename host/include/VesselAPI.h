// The host's vessel interface: the base class of every vessel a module builds.
// Each member acts at once on the host's model of the vessel.
#pragma once

#include "OrbiterAPI.h"

// The host's own vessel, which a VESSEL stands for.
class Vessel;

class OAPIFUNC VESSEL {
 public:
  VESSEL(OBJHANDLE hVessel, int fmodel = 1);

  // 0 for a plain VESSEL, 1 for a VESSEL2: the host sends its events only
  // to an interface of version 1 or more.
  inline int Version() const { return version; }

  // Identity and other vessels
  const OBJHANDLE GetHandle() const;
  char *GetName() const;
  void GetStatus(VESSELSTATUS &status) const;
  void GetStatusEx(void *status) const;

  // Flight state
  double GetAltitude() const;
  double GetPitch() const;
  double GetBank() const;
  double GetAOA() const;
  double GetAtmDensity() const;
  double GetAtmPressure() const;
  double GetMass() const;
  UINT DockingStatus(UINT port) const;
  double GetThrusterGroupLevel(THGROUP_TYPE thgt) const;
  double GetThrusterGroupLevel(THGROUP_HANDLE thg) const;

  // Bodies and frames
  const OBJHANDLE GetGravityRef() const;
  void GetRelativePos(OBJHANDLE hRef, VECTOR3 &pos) const;
  void GetGlobalPos(VECTOR3 &pos) const;
  void Global2Local(const VECTOR3 &global, VECTOR3 &local) const;
  void Local2Rel(const VECTOR3 &local, VECTOR3 &rel) const;

  // Vessel model
  void ClearMeshes() const;
  UINT AddMesh(MESHHANDLE hMesh, const VECTOR3 *ofs = 0) const;
  void SetEmptyMass(double m) const;
  double GetEmptyMass() const;
  void SetSize(double size) const;
  void SetCW(double cw_z_pos, double cw_z_neg, double cw_x, double cw_y) const;
  void SetCrossSections(const VECTOR3 &cs) const;
  void SetRotDrag(const VECTOR3 &rd) const;
  void SetPMI(const VECTOR3 &pmi) const;
  void SetCameraOffset(const VECTOR3 &co) const;
  void SetTouchdownPoints(const VECTOR3 &pt1, const VECTOR3 &pt2, const VECTOR3 &pt3) const;
  DOCKHANDLE CreateDock(const VECTOR3 &pos, const VECTOR3 &dir, const VECTOR3 &rot) const;
  void ClearDockDefinitions() const;
  void ShiftCentreOfMass(const VECTOR3 &shift);

  // Propulsion
  PROPELLANT_HANDLE CreatePropellantResource(double maxmass, double mass = -1.0,
                                             double efficiency = 1.0) const;
  void DelPropellantResource(PROPELLANT_HANDLE &ph) const;
  void SetPropellantMaxMass(PROPELLANT_HANDLE ph, double maxmass) const;
  double GetPropellantMaxMass(PROPELLANT_HANDLE ph) const;
  double GetPropellantMass(PROPELLANT_HANDLE ph) const;
  void SetPropellantMass(PROPELLANT_HANDLE ph, double mass) const;
  void ClearThrusterDefinitions() const;
  THRUSTER_HANDLE CreateThruster(const VECTOR3 &pos, const VECTOR3 &dir, double maxth0,
                                 PROPELLANT_HANDLE hp = 0, double isp0 = 0.0,
                                 double isp_ref = 0.0, double p_ref = 101.4e3) const;
  THGROUP_HANDLE CreateThrusterGroup(THRUSTER_HANDLE *th, int nth, THGROUP_TYPE thgt) const;
  void SetThrusterLevel(THRUSTER_HANDLE th, double level) const;
  void SetThrusterGroupLevel(THGROUP_TYPE thgt, double level) const;
  UINT AddExhaust(THRUSTER_HANDLE th, double lscale, double wscale, SURFHANDLE tex = 0) const;
  UINT AddExhaust(THRUSTER_HANDLE th, double lscale, double wscale, const VECTOR3 &pos,
                  const VECTOR3 &dir, SURFHANDLE tex = 0) const;
  PSTREAM_HANDLE AddExhaustStream(THRUSTER_HANDLE th, PARTICLESTREAMSPEC *pss = 0) const;
  PSTREAM_HANDLE AddExhaustStream(THRUSTER_HANDLE th, const VECTOR3 &pos,
                                  PARTICLESTREAMSPEC *pss = 0) const;

  // Scenario lines
  void ParseScenarioLineEx(char *line, void *status) const;
  void SaveDefaultState(FILEHANDLE scn) const;

 protected:
  Vessel *vessel;
  short flightmodel;
  short version;
};

// The interface through which the host drives a module's vessel: every event
// arrives as one of these virtual calls. The host calls them through this
// class's table, laid out in declaration order, so the order, the
// signatures and the absence of overloads and of a virtual destructor are
// the host's and must stay exactly so. The defaults belong to the host: its
// clbkSaveState writes the host's own lines, its clbkLoadStateEx reads them,
// the others do nothing.
class OAPIFUNC VESSEL2 : public VESSEL {
 public:
  VESSEL2(OBJHANDLE hVessel, int fmodel = 1);

  virtual void clbkSetClassCaps(FILEHANDLE cfg);
  virtual void clbkSaveState(FILEHANDLE scn);
  virtual void clbkLoadStateEx(FILEHANDLE scn, void *status);
  virtual void clbkSetStateEx(const void *status);
  virtual void clbkPostCreation();
  virtual void clbkFocusChanged(bool getfocus, OBJHANDLE hNewVessel, OBJHANDLE hOldVessel);
  virtual void clbkPreStep(double simt, double simdt, double mjd);
  virtual void clbkPostStep(double simt, double simdt, double mjd);
  virtual bool clbkPlaybackEvent(double simt, double event_t, const char *event_type, const char *event);
  virtual void clbkVisualCreated(VISHANDLE vis, int refcount);
  virtual void clbkVisualDestroyed(VISHANDLE vis, int refcount);
  virtual void clbkDrawHUD(int mode, const HUDPAINTSPEC *hps, HDC hDC);
  virtual void clbkRCSMode(int mode);
  virtual void clbkADCtrlMode(DWORD mode);
  virtual void clbkHUDMode(int mode);
  virtual void clbkMFDMode(int mfd, int mode);
  virtual void clbkNavMode(int mode, bool active);
  virtual void clbkDockEvent(int dock, OBJHANDLE mate);
  virtual void clbkAnimate(double simt);
  virtual int clbkConsumeDirectKey(char *kstate);
  virtual int clbkConsumeBufferedKey(DWORD key, bool down, char *kstate);
  virtual bool clbkLoadGenericCockpit();
  virtual bool clbkLoadPanel(int id);
  virtual bool clbkPanelMouseEvent(int id, int event, int mx, int my);
  virtual bool clbkPanelRedrawEvent(int id, int event, SURFHANDLE surf);
  virtual bool clbkLoadVC(int id);
  virtual bool clbkVCMouseEvent(int id, int event, VECTOR3 &p);
  virtual bool clbkVCRedrawEvent(int id, int event, SURFHANDLE surf);
};
