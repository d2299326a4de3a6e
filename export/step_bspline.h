// B-spline mathematics of the STEP export (global interpolation, Cox-de Boor
// basis, clamped knots) and the B_SPLINE_CURVE / SURFACE_WITH_KNOTS entities.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>


// The knot lists of the last StepFormatKnotLists call, in STEP form:
// multiplicities and distinct knot values, comma-separated.
extern std::string gStepKnotMults;
extern std::string gStepKnots;

// Degree used for n points or control points: 3, or n - 1 below 4.
int BsplineDegreeFor(int64_t n);

// Global interpolation of n points at the increasing parameters t[0..n-1]
// in 0..1 (The NURBS Book, 9.2.1): fills knots with the n + p + 1 clamped
// knots (inner knots by averaging the parameters) and inverse with the n x n
// inverse of the collocation matrix N[i][k] = N_k,p(t_i), row-major, so that
// control point k = sum_i inverse[k * n + i] * Q_i. Returns the degree p, or
// -1 when the matrix is singular (equal parameters); then inverse is empty.
int InterpolateBspline(int64_t n, const std::vector<double>& t, std::vector<double>& knots,
                       std::vector<double>& inverse);

// The same interpolation solved for the control points themselves, as the
// collocation matrix is banded (each row holds the p + 1 basis functions that
// are not zero at its parameter): Gaussian elimination within the band, in
// work linear in n. No pivoting is needed, since a collocation matrix with
// each parameter inside its basis function's support is totally positive.
// points holds the n points on entry and the n control points on return.
// Returns the degree p, or -1 when the matrix is singular (equal parameters);
// then points is left in an unspecified state.
int SolveBsplineInterpolation(const std::vector<double>& t, std::vector<double>& knots,
                              std::vector<std::array<double, 2>>& points);

// The n basis functions of degree p on knots (n + p + 1 values) at t, by the
// Cox-de Boor recursion; at t = last knot the last function is 1.
void EvalBsplineBasis(int p, const std::vector<double>& knots, int64_t n, double t,
                      std::vector<double>& values);

// Fills gStepKnotMults and gStepKnots from the first count knots; knots closer
// than 1e-12 are merged.
void StepFormatKnotLists(const std::vector<double>& knots, int64_t count);

using StepPoint3 = std::array<double, 3>;

// The control points (one CARTESIAN_POINT each) and the curve, with its knot
// lists in STEP form (as StepFormatKnotLists gives them, formatted once for
// all curves on the same knots); returns the curve's entity number.
int64_t StepWriteBsplineCurve(int p, const std::vector<StepPoint3>& controlPoints, const std::string& mults,
                              const std::string& knotValues);

// The surface entity over already written control points: rows[a][l] holds
// the entity number of control point (u index a, v index l). The knot lists
// are given in STEP form. Returns the surface's entity number.
int64_t StepWriteBsplineSurface(int degreeU, int degreeV, const std::vector<std::vector<int64_t>>& rows,
                                const std::string& multsU, const std::string& knotsU,
                                const std::string& multsV, const std::string& knotsV);
