// Test support for the tests of formix/: NumericTestSupport.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "formix/Matrix.h"
#include "formix/NumericDiagnostics.h"
#include "formix/Vektor.h"

namespace formix::test {

// Records what the numeric classes report while it lives.
class MessageRecorder {
public:
    struct Message {
        std::string text;
        std::string caption;
    };

    MessageRecorder() {
        m_previous = SetNumericMessageHandler(
            [this](const std::string& text, const std::string& caption) { messages.push_back({text, caption}); });
    }
    ~MessageRecorder() { SetNumericMessageHandler(std::move(m_previous)); }
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    std::vector<Message> messages;

private:
    NumericMessageHandler m_previous;
};

// A matrix filled row by row.
inline CMatrix MatrixOf(int rows, int cols, const std::vector<double>& values) {
    CMatrix m(rows, cols);
    for (int i = 1; i <= rows; ++i) {
        for (int j = 1; j <= cols; ++j) {
            m(i, j) = values[static_cast<size_t>((i - 1) * cols + (j - 1))];
        }
    }
    return m;
}

// Largest |a(i, j) - b(i, j)|, or infinity for different shapes.
inline double MaxDifference(const CMatrix& a, const CMatrix& b) {
    if (a.Rows() != b.Rows() || a.Cols() != b.Cols()) {
        return INFINITY;
    }
    double d = 0.0;
    for (int i = 1; i <= a.Rows(); ++i) {
        for (int j = 1; j <= a.Cols(); ++j) {
            d = std::fmax(d, std::fabs(a.Element(i, j) - b.Element(i, j)));
        }
    }
    return d;
}

inline std::vector<double> ValuesOf(const CVektor& v) { return {v.Data(), v.Data() + v.Dim()}; }

// Deterministic pseudo-random numbers in [-1, 1) for test matrices.
class TestNumbers {
public:
    explicit TestNumbers(unsigned seed) : m_state(seed) {}
    double Next() {
        m_state = m_state * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<double>(m_state >> 11) / static_cast<double>(1ULL << 52) - 1.0;
    }
    CMatrix Matrix(int rows, int cols) {
        CMatrix m(rows, cols);
        for (int i = 1; i <= rows; ++i) {
            for (int j = 1; j <= cols; ++j) {
                m(i, j) = Next();
            }
        }
        return m;
    }

private:
    unsigned long long m_state;
};

}  // namespace formix::test
