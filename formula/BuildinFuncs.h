// The built-in functions of formulas: one handler per name, found by handler name
// ("m" + function name) without regard to case.
#pragma once

#include "formula/FormulaParser.h"

namespace tubalon {

class TBuildinFuncs : public TFpOwner {
public:
    TFpHandler FindHandler(std::string_view name) const override;

    // Registers every built-in with this library as owner, in the fixed order.
    void RegisterAll(TFormulaParser& parser) const;

    static long double mArctan(TFormulaParser& p, const TFpArgs& a);
    static long double mCos(TFormulaParser& p, const TFpArgs& a);
    static long double mDeg(TFormulaParser& p, const TFpArgs& a);
    static long double Mpi(TFormulaParser& p, const TFpArgs& a);
    static long double mRad(TFormulaParser& p, const TFpArgs& a);
    static long double mSin(TFormulaParser& p, const TFpArgs& a);
    static long double mTan(TFormulaParser& p, const TFpArgs& a);
    static long double mAnd(TFormulaParser& p, const TFpArgs& a);
    static long double mFalse(TFormulaParser& p, const TFpArgs& a);
    static long double mIor(TFormulaParser& p, const TFpArgs& a);
    static long double mTrue(TFormulaParser& p, const TFpArgs& a);
    static long double mXor(TFormulaParser& p, const TFpArgs& a);
    static long double mNot(TFormulaParser& p, const TFpArgs& a);
    static long double mExp(TFormulaParser& p, const TFpArgs& a);
    static long double mE(TFormulaParser& p, const TFpArgs& a);
    static long double mLn(TFormulaParser& p, const TFpArgs& a);
    static long double mLog(TFormulaParser& p, const TFpArgs& a);
    static long double mSqr(TFormulaParser& p, const TFpArgs& a);
    static long double mSqrt(TFormulaParser& p, const TFpArgs& a);
    static long double mAbs(TFormulaParser& p, const TFpArgs& a);
    static long double mFrac(TFormulaParser& p, const TFpArgs& a);
    static long double mInt(TFormulaParser& p, const TFpArgs& a);
    static long double mMax(TFormulaParser& p, const TFpArgs& a);
    static long double mMin(TFormulaParser& p, const TFpArgs& a);
    static long double mRound(TFormulaParser& p, const TFpArgs& a);
    static long double mSgn(TFormulaParser& p, const TFpArgs& a);
    static long double mCsc(TFormulaParser& p, const TFpArgs& a);
    static long double mSec(TFormulaParser& p, const TFpArgs& a);
    static long double mCot(TFormulaParser& p, const TFpArgs& a);
    static long double mSinh(TFormulaParser& p, const TFpArgs& a);
    static long double mCosh(TFormulaParser& p, const TFpArgs& a);
    static long double mTanh(TFormulaParser& p, const TFpArgs& a);
    static long double mCsch(TFormulaParser& p, const TFpArgs& a);
    static long double mSech(TFormulaParser& p, const TFpArgs& a);
    static long double mCoth(TFormulaParser& p, const TFpArgs& a);
    static long double mArcsinh(TFormulaParser& p, const TFpArgs& a);
    static long double mArccosh(TFormulaParser& p, const TFpArgs& a);
    static long double mArctanh(TFormulaParser& p, const TFpArgs& a);
    static long double mArccsch(TFormulaParser& p, const TFpArgs& a);
    static long double mArcsech(TFormulaParser& p, const TFpArgs& a);
    static long double mArccoth(TFormulaParser& p, const TFpArgs& a);
    static long double mAvg(TFormulaParser& p, const TFpArgs& a);
    static long double mAverage(TFormulaParser& p, const TFpArgs& a);
    static long double mStd(TFormulaParser& p, const TFpArgs& a);
    static long double mStdDev(TFormulaParser& p, const TFpArgs& a);
    static long double mMean(TFormulaParser& p, const TFpArgs& a);
    static long double mSum(TFormulaParser& p, const TFpArgs& a);
    static long double mRand(TFormulaParser& p, const TFpArgs& a);
    static long double mRnd(TFormulaParser& p, const TFpArgs& a);
    static long double mLength(TFormulaParser& p, const TFpArgs& a);
    static long double mStrComp(TFormulaParser& p, const TFpArgs& a);
    static long double mIf(TFormulaParser& p, const TFpArgs& a);
};

} // namespace tubalon
