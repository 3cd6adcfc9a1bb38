#pragma once
// How the check before printing is run: the simulated print growth and the
// least simulated grade a print run accepts.
namespace quillet {

struct VerifyOptions {
    int printGrowth = 0;   // dots each bar or module grows by (negative: shrinks)
    int minimumGrade = 2;  // 4 (A) .. 0 (F); C unless `[VERIFYMIN=` says otherwise
    bool everyLabel = false;  // batch runs check each label before saving it
};

}  // namespace quillet
