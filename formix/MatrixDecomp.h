#pragma once

#include "formix/Matrix.h"
#include "formix/Vektor.h"

namespace formix {

// Orthogonal factorizations working in place on a CMatrix; the matrix's state records what its
// storage holds (3 QR, 4 Cholesky, 5 Hessenberg, 6 bidiagonal, 0 after a failed solve). m is the
// row count, n the column count. Operands of shapes an operation cannot use are refused with a
// message (NumericDiagnostics.h) before anything changes.
//
// A Householder vector always has 1.0 as its first element; the reflection it stands for is
// I − 2·v·vᵀ/(vᵀv). The sign used to build it counts 0 as positive, so a column whose leading element
// is 0 still gives a finite reflection (a zero column gives the reflection of the leading axis).

// v ← the Householder vector of x (v grows to dim x unless it is a view).
void HouseholderVektor(const CVektor& x, CVektor& v);
// a ← H·a (v of a's row count); a zero v leaves a alone.
void ReflectLeft(CMatrix& a, const CVektor& v);
// a ← a·H (v of a's column count).
void ReflectRight(CMatrix& a, const CVektor& v);
// x ← H·x (v of x's dimension).
void ReflectVektor(CVektor& x, const CVektor& v);
// c and s of the rotation that takes (a, b) to (r, 0).
void Givens(double a, double b, double& c, double& s);
// On a two-row matrix each column (x, y) becomes (c·x + s·y, c·y − s·x).
void RotateRows(CMatrix& a, double c, double s);
// On a two-column matrix each row (x, y) becomes (c·x + s·y, c·y − s·x).
void RotateCols(CMatrix& a, double c, double s);
// As RotateCols, the second becoming s·x − c·y.
void RotateColsT(CMatrix& a, double c, double s);
// One sweep of Givens rotations over the first min(m, n) rows and columns; returns their count.
int GivensSweep(CMatrix& h);
// One bulge-chasing sweep over a square bidiagonal matrix.
void BidiagChase(CMatrix& b);

// Householder QR, storing the vectors below the diagonal (R above); q receives the m × m factor.
bool QRHouseholder(CMatrix& a);
bool QRSplit(CMatrix& a, CMatrix* q, CMatrix* r);
// Solves a·x = b through QRDecompose: the exact solution for a square matrix, the least-squares one
// for more rows than columns, and the one with its trailing unknowns 0 for more columns than rows.
// A diagonal element of R below tol in magnitude sets state 0 and gives false.
bool QRSolve(CMatrix& a, const CVektor& b, CVektor& x, double tol);

// Upper Hessenberg form of a square matrix; HessenbergSplit gives q and h with a = q·h·qᵀ.
bool Hessenberg(CMatrix& a);
bool HessenbergSplit(CMatrix& a, CMatrix& q, CMatrix& h);

// Cholesky factor of a symmetric positive definite matrix in the lower triangle (state 4). A pivot
// that is not positive ends it with state 0 and false (the matrix then holds the partial work).
bool Cholesky(CMatrix& a, bool force);
bool CholeskySplit(CMatrix& a, CMatrix& l, bool force);
bool CholeskySolve(CMatrix& a, const CVektor& b, CVektor& x, double tol);

// Upper bidiagonal form (m >= n); BidiagSplit gives u (m × m), b (n × n) and v (n × n) with
// a = u·[b; 0]·v, that is v holds the transpose of the right orthogonal factor.
bool Bidiagonalize(CMatrix& a);
bool BidiagSplit(CMatrix& a, CMatrix& u, CMatrix& b, CMatrix& v);
// The singular values of a (m >= n; a is bidiagonalized in place), in the order they split off.
// False when the matrix cannot be bidiagonalized or 200 iterations pass before all values split off
// (sv then holds the current diagonal for the rest).
bool SingularValues(CMatrix& a, CVektor& sv, double tol);

}  // namespace formix
