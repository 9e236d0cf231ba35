// The error function, its complement and their inverses.
//
// erf and erfc come from polynomial fits: erf(x)/x in x^2 below 1/2, and
// above it the smooth factor erfc(x) e^(x^2) (times x beyond 2, in 1/x^2),
// so that the Gaussian factor is formed once by the exponential and the
// upper tail keeps its relative precision down to the last subnormal.
// The inverses start from fits good to about 1e-8 in w = sqrt(-ln q) and take
// one Halley step on erfc, which triples the digits. Exponentials and
// logarithms are the library's own x87 kernels, twice as fast as the C
// library's long-double ones and exact to well below a double's last bit
// for every exponent these functions meet (|x^2| < 11400).
//
// Every table: Chebyshev interpolants made by tests/reference/
// make_coefficients.py (mpmath at 40 digits), highest power first; the title
// names the function fitted, its variable and interval, and the largest
// relative error measured on a grid of 2001 points.
#include "frame.h"
#include "probability.h"
#include "sf_internal.h"

#include <array>
#include <cmath>
#include <limits>

namespace prob {
namespace {

// erf(x) / x in t = x^2: Chebyshev fit of degree 11 on [0.0, 0.25]; largest relative error 5.7e-25
constexpr std::array<Ext, 12> erfSmall = {
    -1.095865453884735030144478e-9L,   1.472152117638980089465186e-8L,    -0.0000001636264690374603990653713L,
    0.000001646203836397058363990135L, -0.00001492564916290355871282063L, 0.0001205533296923066579940757L,
    -0.0008548327023363942679075846L,  0.005223977625441806406279853L,    -0.02686617064513124187924214L,
    0.1128379167095512572573692L,      -0.3761263890318375246313596L,     1.128379167095512573896158L};

// erfc(x) e^(x^2): Chebyshev fit of degree 15 on [0.5, 1.0] in s = (v - 0.75) / 0.25; largest relative
// error 6.9e-21
constexpr std::array<Ext, 16> erfcHalfToOne = {
    -1.356739667853401382489953e-15L,  1.733657833257149088711091e-14L,   -2.098847850263904057258767e-13L,
    2.524927820896944760441291e-12L,   -2.941001701417179174195546e-11L,  3.306877685024401935627432e-10L,
    -3.580139374900165887467668e-9L,   3.719539403254502341554034e-8L,    -0.0000003693562193170812929557374L,
    0.000003488573893118516228005951L, -0.00003114966996062615041785045L, 0.000260900556748306864860813L,
    -0.002028688468670017257024808L,   0.01443488322195614302154105L,     -0.0919931729139488413020185L,
    0.5069376502931448057882774L};

// erfc(x) e^(x^2): Chebyshev fit of degree 19 on [1.0, 2.0] in s = (v - 1.5) / 0.5; largest relative
// error 3.5e-22
constexpr std::array<Ext, 20> erfcOneToTwo = {
    -4.300932236677096629705034e-16L,  3.425408228698796064186535e-15L,    -2.459889750608763574498719e-14L,
    1.875071745676258993292872e-13L,   -1.402903107833633808977584e-12L,   1.022707204836929040968759e-11L,
    -7.276390476337644393016245e-11L,  5.046310746177949934048739e-10L,    -3.405757649113027729592951e-9L,
    2.232843010077592251630131e-8L,    -0.000000141911957407319123988925L, 0.0000008723044700739144039665506L,
    -0.00000517132864384128864562356L, 0.0000294708574535980138935411L,    -0.0001608111733745319646864568L,
    0.0008360838095666692840669959L,   -0.004116363162445330308811508L,    0.01903775996386935054634777L,
    -0.08181145886628003341658334L,    0.3215854164543175023542215L};

// erfc(x) e^(x^2) x in t = 1 / x^2: Chebyshev fit of degree 21 on [0.0625, 0.25] in s = (v - 0.15625) /
// 0.09375; largest relative error 8.7e-21
constexpr std::array<Ext, 22> erfcTwoToFour = {
    -1.834612775989099917513252e-14L,    5.317270265818642530066678e-14L,
    -5.533504792730703684307057e-14L,    1.734736542495023614010854e-13L,
    -7.922268937337502299298615e-13L,    2.485759715573742823607161e-12L,
    -7.63792307868121021210208e-12L,     2.51303968060021021230919e-11L,
    -8.500297947547629012627066e-11L,    2.943973357279953013004367e-10L,
    -1.051302804845221251965636e-9L,     3.888211171802849926766329e-9L,
    -1.496830625453193300433902e-8L,     6.037392414847449822703146e-8L,
    -0.0000002573418232183839630720937L, 0.000001172681666671748605477254L,
    -0.000005806473404853029797260562L,  0.00003200095698911959227360622L,
    -0.0002040128479827397703499342L,    0.001612284017144496454437512L,
    -0.01839314616329035472771611L,      0.5277490693204527769613325L};

// erfc(x) e^(x^2) x in t = 1 / x^2: Chebyshev fit of degree 15 on [0.015625, 0.0625] in s = (v - 0.0390625) /
// 0.0234375; largest relative error 7.8e-22
constexpr std::array<Ext, 16> erfcFourToEight = {
    -6.55749077254293005847737e-17L,    3.840358769167373182619381e-16L,  -2.080417142402876656922727e-15L,
    1.341381875101416752498587e-14L,    -9.136528431558140125787831e-14L, 6.547252028634820084362328e-13L,
    -5.000891712738937513968143e-12L,   4.110360283203238352498689e-11L,  -3.678776618677651909959254e-10L,
    3.642011738713393476925519e-9L,     -4.074810330794508828416488e-8L,  0.0000005313283007812386433247918L,
    -0.000008466060728145259557363018L, 0.0001788122404677209092262569L,  -0.005933242371597413050535649L,
    0.553760232801094123918745L};

// erfc(x) e^(x^2) x in t = 1 / x^2: Chebyshev fit of degree 11 on [0.0, 0.015625]; largest relative
// error 6.8e-22
constexpr std::array<Ext, 12> erfcBeyondEight = {
    -1435593.578279377556608596L, 282738.0266510712942059019L,  -36320.05509474144262430004L,
    4444.093341180523575607059L,  -595.4187100751490677789785L, 91.63531979653311752398035L,
    -16.66121764157757651507195L, 3.702494125774157154432006L,  -1.057855469125937085895526L,
    0.423142187660795491252781L,  -0.282094791773878136375423L, 0.5641895835477562869476946L};

// erfinv(y) / y in t = y^2: Chebyshev fit of degree 17 on [0.0, 0.25]; largest relative error 8.2e-23
constexpr std::array<Ext, 18> erfInvSmall = {
    0.1476945910126431473324069L,   -0.1759950804102751400929501L, 0.1569549072956298354894401L,
    -0.04849713233634065780029505L, 0.04041757052774124393203772L, 0.01551528367754051815432564L,
    0.02350702212347025086942427L,  0.02490335153288620608347338L, 0.02799251442495806179140775L,
    0.03168811563691455395740792L,  0.03646597850294436796238665L, 0.04283671868702542589983832L,
    0.05173128203930652498832565L,  0.06495961774437982899099788L, 0.08655212924155876270054145L,
    0.1275561753055978922376702L,   0.2320136665346544937071052L,  0.8862269254527580136490245L};

// erfcinv(e^(-w^2)) in w: Chebyshev fit of degree 10 on [0.8, 2.0] in s = (v - 1.4) / 0.6; largest relative
// error 3.6e-9
constexpr std::array<Ext, 11> erfcInvStart1 = {
    -0.000003576952658366540249038186L, 0.000006914547947325282528914692L, 0.000006984520800682042338560486L,
    -0.00007209339964806177762088432L,  0.0003273350344342248049129408L,   -0.001181745173338703835121881L,
    0.003511367618551680158483707L,     -0.008357618299785960911097367L,   0.01246213194505626376801744L,
    0.6202018486347432268187501L,       1.041286766607843106364783L};

// erfcinv(e^(-w^2)) in w: Chebyshev fit of degree 8 on [2.0, 4.0] in s = (v - 3.0) / 1.0; largest relative
// error 1.3e-8
constexpr std::array<Ext, 9> erfcInvStart2 = {
    0.00001258171999848375771888248L, -0.00003857397985400610794061464L, 0.00008188352157859600861014555L,
    -0.0001962119056328414064238287L, 0.0003604631527321547456114358L,   0.00006755871812868520392571223L,
    -0.005442101053743164721470206L,  1.041752757617993345937261L,       2.714760997939284885853204L};

// erfcinv(e^(-w^2)) in w: Chebyshev fit of degree 8 on [4.0, 8.0] in s = (v - 6.0) / 2.0; largest relative
// error 2.6e-9
constexpr std::array<Ext, 9> erfcInvStart3 = {
    0.000003388393743963706836761647L, -0.000005723693580016653286983935L, -0.000006729855328067505343204927L,
    0.00006988456911980157736250036L,  -0.0003887146795329822669470802L,   0.001882937660380437648736075L,
    -0.008567988376102031429061236L,   2.039044557721016102783224L,        5.801311035015543194368241L};

// erfcinv(e^(-w^2)) in w: Chebyshev fit of degree 9 on [8.0, 28.0] in s = (v - 18.0) / 10.0; largest relative
// error 3.9e-8
constexpr std::array<Ext, 10> erfcInvStart4 = {
    0.0001818979972309757330059149L,  -0.0003811548409284274765923759L, 0.0003389339666384844676479001L,
    -0.0006939121418059252803949449L, 0.001827689719303974721285571L,   -0.003810049862895954815155059L,
    0.007890901163032450111446634L,   -0.01699328487843467639842938L,   10.03820002306441672488832L,
    17.90366079889018068928322L};

// The value of a fit in s = (v - mid) / half.
template <std::size_t N> Ext scaledFit(const std::array<Ext, N>& c, Ext v, Ext mid, Ext half) {
    return horner(c, (v - mid) / half);
}

// erfc(x) e^(x^2) for x >= 1/2 (and a little below, where the first fit
// still holds to the last bit).
Ext erfcScaled(Ext x) {
    if (x <= 1)
        return scaledFit(erfcHalfToOne, x, 0.75L, 0.25L);
    if (x <= 2)
        return scaledFit(erfcOneToTwo, x, 1.5L, 0.5L);
    const Ext t = 1 / (x * x);
    if (x <= 4)
        return scaledFit(erfcTwoToFour, t, 0.15625L, 0.09375L) / x;
    if (x <= 8)
        return scaledFit(erfcFourToEight, t, 0.0390625L, 0.0234375L) / x;
    return horner(erfcBeyondEight, t) / x;
}

// erfc(x) for x >= 1/2.
Ext erfcPositive(Ext x) {
    // Beyond this erfc is below the smallest subnormal long double.
    if (x > 106.6L)
        return 0;
    return prob::exp(-x * x) * erfcScaled(x);
}

// Approximately the x with erfc(x) = q, 0 < q <= 1/2, from w = sqrt(-ln q).
Ext erfcInvStart(Ext q) {
    const Ext w = prob::sqrt(-prob::ln(q));
    if (w <= 2)
        return scaledFit(erfcInvStart1, w, 1.4L, 0.6L);
    if (w <= 4)
        return scaledFit(erfcInvStart2, w, 3, 1);
    if (w <= 8)
        return scaledFit(erfcInvStart3, w, 6, 2);
    return scaledFit(erfcInvStart4, w, 18, 10);
}

// The x with erfc(x) = q for 0 < q <= 1/2: one Halley step from the start,
// f = erfc(x) - q, f' = -(2/sqrt(kPi)) e^(-x^2), f'' = -2x f'.
Ext erfcInvTail(Ext q) {
    const Ext x = erfcInvStart(q);
    const Ext gauss = prob::exp(-x * x);
    const Ext u = (gauss * erfcScaled(x) - q) / (-kTwoOverSqrtPi * gauss);
    return x - u / (1 + x * u);
}

} // namespace

Ext erf(Ext x) {
    const Ext a = std::fabs(x);
    if (a < 0.5L)
        return x * horner(erfSmall, x * x);
    if (std::isnan(x))
        return x;
    const Ext r = 1 - erfcPositive(a);
    return x > 0 ? r : -r;
}

Ext erfc(Ext x) {
    if (std::isnan(x))
        return x;
    if (std::fabs(x) < 0.5L)
        return 1 - x * horner(erfSmall, x * x);
    return x > 0 ? erfcPositive(x) : 2 - erfcPositive(-x);
}

// erfinv(y) for |y| <= 1/2 directly, beyond through the complement 1 - |y|,
// which is exact in that range.
Ext erfInvCore(Ext y) {
    const Ext a = std::fabs(y);
    if (a <= 0.5L)
        return y * horner(erfInvSmall, y * y);
    const Ext x = erfcInvTail(1 - a);
    return y > 0 ? x : -x;
}

Ext erfcInv(Ext q) {
    if (q > 0.5L)
        return erfInvCore(1 - q);
    return erfcInvTail(q);
}

Ext erfInv(Ext y) {
    if (std::isnan(y))
        return y;
    if (std::fabs(y) > 1)
        return noAnswer("Argument outside -1..1");
    // The largest double less five units in the last place, as the library has always answered.
    if (y == 1)
        return 1.797693134862315e308;
    if (y == -1)
        return -1.797693134862315e308;
    return erfInvCore(y);
}

} // namespace prob

double Erf_Double(double x) {
    return static_cast<double>(prob::erf(x));
}

double Erfc_Double(double x) {
    return static_cast<double>(prob::erfc(x));
}

double ErfInv_Double(double y) {
    return static_cast<double>(prob::erfInv(y));
}
