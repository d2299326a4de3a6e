// A STEP file as the Open CASCADE kernel reads it: how many solids, whether
// every shell is closed and the shape valid, free edges and the volume.
#pragma once

#include <BRepCheck_Analyzer.hxx>
#include <BRepGProp.hxx>
#include <GProp_GProps.hxx>
#include <Interface_Check.hxx>
#include <Interface_CheckIterator.hxx>
#include <STEPControl_Reader.hxx>
#include <ShapeAnalysis_FreeBounds.hxx>
#include <TopExp_Explorer.hxx>
#include <TopoDS_Shape.hxx>
#include <Transfer_TransientProcess.hxx>
#include <XSControl_TransferReader.hxx>
#include <XSControl_WorkSession.hxx>

#include <string>
#include <vector>

namespace cadtest {

struct KernelRead {
  bool read = false;         // the file was read and its roots transferred
  int solids = 0;
  bool shellsClosed = true;  // every shell of the shape
  bool valid = false;        // the kernel's own check of the whole shape
  int freeWires = 0;         // boundaries of faces not shared by two faces
  double volume = 0.0;
  // What the reader had to say while transferring, shape healing included
  // ("Edges were intersecting, corrected"): every warning and fail text.
  std::vector<std::string> transferMessages;
};

// The warnings and fails the transfer recorded against the file's entities.
inline std::vector<std::string> TransferMessagesOf(STEPControl_Reader& reader) {
  std::vector<std::string> texts;
  const Handle(Transfer_TransientProcess) process = reader.WS()->TransferReader()->TransientProcess();
  if (process.IsNull()) return texts;
  Interface_CheckIterator checks = process->CheckList(Standard_False);
  for (checks.Start(); checks.More(); checks.Next()) {
    const Handle(Interface_Check)& check = checks.Value();
    for (Standard_Integer i = 1; i <= check->NbFails(); ++i) texts.emplace_back(check->CFail(i));
    for (Standard_Integer i = 1; i <= check->NbWarnings(); ++i) texts.emplace_back(check->CWarning(i));
  }
  return texts;
}

inline KernelRead ReadStepWithKernel(const std::string& path) {
  KernelRead r;
  STEPControl_Reader reader;
  if (reader.ReadFile(path.c_str()) != IFSelect_RetDone || reader.TransferRoots() < 1) return r;
  r.read = true;
  r.transferMessages = TransferMessagesOf(reader);
  const TopoDS_Shape shape = reader.OneShape();
  for (TopExp_Explorer e(shape, TopAbs_SOLID); e.More(); e.Next()) ++r.solids;
  for (TopExp_Explorer e(shape, TopAbs_SHELL); e.More(); e.Next()) r.shellsClosed = r.shellsClosed && e.Current().Closed();
  r.valid = BRepCheck_Analyzer(shape).IsValid();
  ShapeAnalysis_FreeBounds freeBounds(shape);
  for (TopExp_Explorer e(freeBounds.GetClosedWires(), TopAbs_WIRE); e.More(); e.Next()) ++r.freeWires;
  for (TopExp_Explorer e(freeBounds.GetOpenWires(), TopAbs_WIRE); e.More(); e.Next()) ++r.freeWires;
  GProp_GProps props;
  BRepGProp::VolumeProperties(shape, props);
  r.volume = props.Mass();
  return r;
}

}  // namespace cadtest
