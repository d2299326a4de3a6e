// Named tolerances and limits of the gear geometry, each with its reason.
#pragma once

#include <cstdint>

// Undercut test: the tool shift counts as below x min only by more than this,
// so a gear cut exactly at the limit is not reported as undercut.
inline constexpr double kUndercutShiftTolerance = 1e-9;

// Two neighbouring root fillets overlap (no root arc between them) when the
// half angle of the root arc comes within this of half the angular pitch (rad).
inline constexpr double kRootArcAngleTolerance = 1e-9;

// The tip circle is kept at least this many modules above the start of the
// involute, so the flank has a length.
inline constexpr double kMinFlankLengthModules = 1e-6;

// A tip half angle at or below this (rad) is a pointed tooth: no tip arc.
inline constexpr double kTipArcMinHalfAngle = 1e-9;

// Halvings of the bisection that lowers the tip circle of a pointed tooth.
inline constexpr int kPointedTipBisections = 60;

// Newton steps of InverseInvolute (fixed count, no early exit, so results
// stay reproducible), and the extra bracketing steps allowed when the
// argument is so large that Newton had to fall back to bisection.
inline constexpr int kInverseInvoluteNewtonSteps = 30;
inline constexpr int kInverseInvoluteExtraSteps = 100;

// Step (in modules) to the second flank point from which the flank tangent
// is taken by a finite difference.
inline constexpr double kFlankTangentStepModules = 1e-6;

// OutlineAddSegment drops a segment whose |dx| + |dy| is below this (mm).
inline constexpr double kMinSegmentLength = 1e-9;

// Two keys of the polar profile table closer than this (rad) count as equal.
inline constexpr double kPolarKeyTolerance = 1e-15;

// A guard on the helix angle: cos beta below this is rejected (beta > 84.26 deg).
inline constexpr double kMinHelixCosine = 0.1;

// Point density limits of the outline builders. 1 is the display, 16 the STL
// export; far more points than that serve no one and could exhaust memory.
inline constexpr int kMinPointDensity = 1;
inline constexpr int kMaxPointDensity = 256;

// The most teeth a gear may have: beyond this an outline would take gigabytes.
inline constexpr int64_t kMaxGearTeeth = 100000;

// The most points of one gear outline (320 MB): z (64 n + 6) for an external
// gear, so z 10000 still builds at density 16 for the STL export.
inline constexpr double kMaxOutlinePoints = 20e6;

// --- STL export: outline reduction, triangulation and meshes ---

// Point density at which the STL meshers rebuild their copy of a body.
inline constexpr int kStlPointDensity = 16;

// The last point of a flattened outline is dropped when it repeats the first
// within this (mm) in x and in y: the polygon is closed implicitly.
inline constexpr double kStlClosingPointTolerance = 1e-9;

// A chord shorter than this (mm) has no direction: distances are then taken
// from its first point.
inline constexpr double kStlMinChordLength = 1e-15;

// Ear clipping: a corner is convex only when twice its signed area exceeds
// this (mm^2), so collinear corners are never cut as ears.
inline constexpr double kStlMinEarCross = 1e-14;

// A point of a gear outline is a sector boundary when its polar angle lies
// within this many angular pitches of a boundary angle.
inline constexpr double kStlSectorBoundaryTolerance = 1e-7;

// A helix angle above this (rad) makes a gear helical: its chord tolerance is
// halved and it is swept in twisted slices.
inline constexpr double kStlMinHelixAngle = 1e-9;

// Rack: a segment is horizontal when |dy| is below this (mm); a point lies on
// the root or the bottom line within this (mm); whole-pitch points are added
// only more than this (mm) inside a segment; a point lies at a whole pitch
// when x / pt is within this of a whole number.
inline constexpr double kStlRackHorizontalTolerance = 1e-12;
inline constexpr double kStlRackLineTolerance = 1e-9;
inline constexpr double kStlRackPitchTolerance = 1e-7;

// The automatic hub stays inside this fraction of the root radius (less a
// quarter module), a band of material under the teeth.
inline constexpr double kStlMaxInnerRadiusOfRoot = 0.98;

// The STL mesh of a keyed or hubbed gear keeps its chords within a quarter of
// the band between the hub or bore and the tooth outline; a band that would
// need chords finer than this (mm, the finest chord tolerance an export
// takes) is refused as reaching the root circle.
inline constexpr double kStlMinBandTolerance = 1e-4;

// Two loops zipped into a flat ring by angle (the inner band, a hub's end
// face) are sampled with chords within this fraction of the band between
// them, so no triangle of the ring turns over.
inline constexpr double kStlZipBandFraction = 16.0;

// The hub circle of an STL mesh has at least this many points.
inline constexpr int kStlMinHubCirclePoints = 16;

// The most triangles one STL export may have (a 5 GB file): a twist of
// hundreds of turns at a fine tolerance would otherwise exhaust memory.
inline constexpr double kStlMaxTriangles = 100e6;

// Pin and ball diameters are rounded to 0.05 mm, below 1 mm to 0.01 mm.
inline constexpr double kPinDiameterStep = 0.05;
inline constexpr double kPinDiameterFineStep = 0.01;
inline constexpr double kPinDiameterFineLimit = 1.0;

// Bore contour: the finest chord tolerance used (mm). A smaller, zero,
// negative or non-finite tolerance is raised to this, so the point count stays
// bounded (about 7000 points for a 20 mm bore).
inline constexpr double kMinChordTolerance = 1e-6;

// The coarsest angular step of the bore circle (rad): 5 degrees.
inline constexpr double kMaxBoreAngleStep = 3.14159265358979323846 / 36.0;

// The most points of one bore contour (a 500 mm bore at 0.001 mm needs 1110).
inline constexpr int kMaxBorePoints = 100000;

// --- Strength calculation: root form factors on the outline ---

// Outline points kept for the root section: the sector of one half tooth and
// half gap may be overshot by this at its gap end (rad, or mm for the rack),
// so the point on the gap's centre line is not lost to rounding ...
inline constexpr double kRootSectorGapTolerance = 1e-9;
// ... and by this at its tooth-centre end, so a tip point on the centre line
// is kept but the other flank is not.
inline constexpr double kRootSectorCentreTolerance = 1e-12;

// Thinning of the root points: a point this many modules (|ds| + |dh|) or
// less from the last one kept is a duplicate (curves share end points).
inline constexpr double kRootPointDuplicateModules = 1e-9;

// A point reaches the tip circle of a gear or ring gear when it lies within
// this many modules of it (the flank ends on the tip circle to rounding).
inline constexpr double kRootTipReachModules = 1e-7;

// A rack point reaches the tip line within this (mm).
inline constexpr double kRootRackTipTolerance = 1e-9;

// Fillet circle through three points: a determinant below this counts as
// collinear, and the fillet radius is then taken as kStraightFilletRadius (mm).
inline constexpr double kFilletCollinearDeterminant = 1e-15;
inline constexpr double kStraightFilletRadius = 1e6;

// The load line's normal must cross the tooth centre line: a component across
// the line below this counts as parallel to it.
inline constexpr double kLoadLineMinCrossing = 1e-12;

// --- STEP export ---

// STEP coordinates are written with 6 decimals; a value closer to 0 than this
// is written as 0 (no "-0.000000" from rounding noise of a rotation).
inline constexpr double kStepZeroCoordinate = 1e-12;

// One unit of the last of those 6 decimals (mm): the grid the written
// coordinates lie on.
inline constexpr double kStepCoordinateUnit = 1e-6;

// A vertex on a circle goes to the grid point nearest the written circle
// among those up to this many units from its rounded place in x and in y.
inline constexpr int kStepCircleSnapReach = 3;

// Two knots of a B-spline closer than this are one knot with the
// multiplicities added.
inline constexpr double kStepKnotMergeTolerance = 1e-12;

// A helix angle at or below this (rad) is written as a spur gear (a prism).
inline constexpr double kStepSpurHelixLimit = 1e-9;

// A helical flank surface gets one axial section per started this many rad of
// total twist (plus one, at least 4), so the interpolated helix stays close
// to the true one.
inline constexpr double kStepTwistPerSection = 0.1;

// The most axial sections of a helical body (a total twist of 19.9 rad, more
// than three turns); a body that would need more is not written.
inline constexpr int64_t kStepMaxAxialSections = 200;

// Outline points closer than this (mm) to the previous point of their curve
// are dropped before a curve is interpolated: equal chord parameters would
// make the collocation matrix singular.
inline constexpr double kStepDuplicatePointDistance = 1e-9;

// A pivot of the B-spline collocation matrix (basis values in 0..1) below
// this counts as zero: the parameters were (nearly) equal and the control
// points would be noise or NaN.
inline constexpr double kStepSingularPivot = 1e-12;

// --- Module search and reports ---

// Ratio test of the module search: |u - i| / i <= tolerance + this, so a
// tolerance of 0 still accepts exact ratios despite rounding of u and i.
inline constexpr double kSearchRatioTolerance = 1e-12;

// Helix search: a helix angle may exceed the given maximum by this (degrees)
// and still count as within it.
inline constexpr double kSearchAngleTolerance = 1e-9;

// The shift sum (or difference) of a row may lie this far outside its limits.
inline constexpr double kSearchShiftTolerance = 1e-9;

// Total contact ratio below which the reports warn (a value equal to it does not).
inline constexpr double kMinTotalContactRatio = 1.1;

// Tip thickness below this many modules is reported (equality is not).
inline constexpr double kMinTipThicknessModules = 0.25;

// Tip clearances of an internal pair below this many modules are reported.
inline constexpr double kMinTipClearanceModules = 0.1;

// A tooth penetration of the internal interference test above this many
// pinion modules is reported as interference; smaller ones are numerical noise
// of the polygonal outlines.
inline constexpr double kInterferenceReportModules = 0.002;

// Flanks that overlap by more than this (mm) through a backlash below 0 are
// reported; the backlash itself is printed with 4 decimals.
inline constexpr double kFlankOverlapReportTolerance = 0.5e-4;

// Start of contact A counts as inside the pinion's root fillet only when it
// lies more than this (mm) before the start of the usable involute.
inline constexpr double kRingTipFilletTolerance = 1e-6;

// --- Mesh geometry of pairs, racks and ring gears ---

// A gear counts as a spur gear when its helix angle is at most this (rad);
// only then does the view mark the root sections of the strength calculation.
inline constexpr double kSpurHelixTolerance = 1e-9;

// Current contact points count as within the path of contact A..E when they
// lie no more than this (mm) outside it.
inline constexpr double kContactPositionTolerance = 1e-9;

// A tip counts as reaching below the mate's form circle (into its root
// fillet) only when it meets the line of action more than this many modules
// of gear 1 beyond the form circle's point. A mate cut by the same basic rack
// whose tip line lies where the cutter's rounding ends (0.99997 m deep for
// 0.38 m at 20 degrees) then keeps its full contact ratio: such a difference
// is far below any tooth's tolerance.
inline constexpr double kInvoluteContactToleranceModules = 1e-3;

// A ring gear's root arc and tip land are drawn only when their half angle
// exceeds this (rad); below it the arc has shrunk to a point.
inline constexpr double kRingArcMinHalfAngle = 1e-12;

// The search for the ring's root fillet starts this many modules above the
// tip circle, where the flank point and its tangent exist.
inline constexpr double kRingFilletSearchStartModules = 1e-9;

// Interference test: the profile slope is divided by the point's radius, but
// never by less than this (mm), so a point at the pinion centre is safe.
inline constexpr double kMinProfileSlopeRadius = 1e-9;

// A project file stores the chosen search row's module and helix angle with 6
// decimals; on loading, the row of the new search is the stored one when its
// module differs by less than this (mm) and its helix angle by less than this
// (degrees), with equal tooth numbers.
inline constexpr double kStoredRowModuleTolerance = 1e-9;
inline constexpr double kStoredRowHelixToleranceDeg = 1e-5;

// --- Shaft and key check ---

// A minimum shaft diameter this far (mm) above a DIN 748 value, by rounding,
// still takes that value.
inline constexpr double kShaftSeriesTolerance = 1e-9;

// A required key length this far (mm) above the bore length still fits in it.
inline constexpr double kKeyLengthFitTolerance = 1e-9;

// --- Exports ---

// A coordinate of the DXF and STEP files closer to zero than this (mm) is
// written as 0, so rounding noise of a turned outline never prints as -0.
inline constexpr double kCoordinateZero = 1e-12;

// The DXF outline polyline is written closed; its last point is left out when
// it lies within this (mm) of the first, so the contour has no zero-length
// closing segment.
inline constexpr double kDxfClosingPointTolerance = 1e-9;

// Chord tolerance (mm) of the bore and keyway contour in the DXF drawing.
inline constexpr double kDxfBoreChordTolerance = 0.001;

// Chord tolerance of the STL export (mm): the field's value must lie within
// these limits, both included.
inline constexpr double kExportChordToleranceMin = 0.0001;
inline constexpr double kExportChordToleranceMax = 1.0;

// --- Strength window ---

// A typed material value within this (N/mm^2, or plain for nu) of the chosen
// preset keeps that preset; a larger difference switches to the custom row.
// Far below any printed precision, so a value re-typed as shown always matches.
inline constexpr double kMaterialMatchTolerance = 1e-6;
