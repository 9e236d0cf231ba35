// The error function, its complement and their inverses.
//
// erf and erfc come from polynomial fits: erf(x)/x in x^2 below 1/2, and
// above it the smooth factor erfc(x) e^(x^2) (times x beyond 2, in 1/x^2),
// so that the Gaussian factor is formed once by the exponential and the
// upper tail keeps its relative precision down to the last subnormal.
// The inverses are rational fits, in y^2 up to |y| = 0.8 and in
// w = sqrt(-ln q) beyond. Exponentials and
// logarithms are the library's own x87 kernels, twice as fast as the C
// library's long-double ones and exact to well below a double's last bit
// for every exponent these functions meet (|x^2| < 11400).
//
// Every table is made by tests/reference/make_coefficients.py (mpmath):
// Chebyshev interpolants, or rational fits by Loeb's reweighted least
// squares, highest power first; the title names the function fitted, its
// variable and interval, and the largest relative error measured on a grid
// (2001 points for the polynomials, 401 for the rational fits).
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

// erfinv(y) / y in t = y^2: rational fit of degrees 8/8 on [0.0, 0.64] (|y| <= 0.8) in
// s = (t - 0.32) / 0.32; largest relative error 1.2e-20. It reaches that far so that the
// logarithm of the tail fits is needed only for the outer 20 % of probabilities, and no
// further: a wider interval needs larger coefficients of alternating sign, whose rounding
// near its end (s = 1) would cost a quarter of a unit in the last place (as |y| <= 0.85 did).
constexpr std::array<Ext, 9> erfInvSmallNumerator = {
    7.416137322259274279815363e-8L, -0.00001862542657624670631569426L, 0.0008191061072574158413234929L,
    -0.0139253603016803383760645L,  0.1170447004974434095342522L,      -0.5362947348641566009484553L,
    1.364594125580427121290112L,    -1.810876735857554254460645L,      0.9772873143684190486140014L};
constexpr std::array<Ext, 9> erfInvSmallDenominator = {
    0.0000005081368542615092560613306L, -0.0000548344287627395104265889L, 0.001687534501533300969773964L,
    -0.02311659858229782523860765L,     0.1672297473444340980679998L,     -0.6847130361015249575984124L,
    1.5944975254042817150171L,          -1.968459083921052480852702L,     1.0L};

// erfcinv(e^(-w^2)) in w: rational fit of degrees 9/9 on [0.8, 2.0] in s = (w - 1.4) / 0.6;
// largest relative error 1.1e-21
constexpr std::array<Ext, 10> erfcInvNumerator1 = {
    -0.000006173760645438685652282379L, -0.0001174612415057533806149863L, -0.0003231217138302825219358202L,
    0.007952308450584098619802429L,     0.09155421175119916695158697L,    0.4701696191319162571826595L,
    1.392368082949006632436463L,        2.463241233620121294485649L,      2.43556386795174655211982L,
    1.041286766607843106365611L};
constexpr std::array<Ext, 10> erfcInvDenominator1 = {
    -1.807065063189923171062421e-10L, -0.00001027893625173731241726975L,
    -0.0001722999990395566687431778L, -0.0001889317123913238153691153L,
    0.01328461344268212764155084L,    0.1242066476625483941644154L,
    0.5409579108446788398075108L,     1.315228020311229143815123L,
    1.7433833708057365694807L,        1.0L};

// erfcinv(e^(-w^2)) in w: rational fit of degrees 9/9 on [2, 4.0] in s = (w - 3) / 1;
// largest relative error 1.94e-24
constexpr std::array<Ext, 10> erfcInvNumerator2 = {
    -0.00000078515122940649241206418L, 0.000009818908155780409214524204L, 0.001085449859982328015087004L,
    0.02028321121346725942603975L,     0.1828581584781952867035157L,      0.9502545474990474600688135L,
    3.002481498181343418968823L,       5.712379941231535353221856L,       6.02924140569209638011109L,
    2.714760997939284885853209L};
constexpr std::array<Ext, 10> erfcInvDenominator2 = {
    -3.54671509643647243325321e-12L,  -0.000000784884653294510146812435L,
    0.00001215802623409840768745325L, 0.001047542726363643307901885L,
    0.01719087374977507168625336L,    0.133184948162637844267225L,
    0.5719470377001031208663251L,     1.401206587783735715298552L,
    1.837174170477054724913828L,      1.0L};

// erfcinv(e^(-w^2)) in w: rational fit of degrees 9/9 on [4, 8.0] in s = (w - 6) / 2;
// largest relative error 9.6e-27
constexpr std::array<Ext, 10> erfcInvNumerator3 = {
    0.000002443003017923280656195476L, 0.0001533908339901243566529672L, 0.00375797444332014146692425L,
    0.04882733693074022187349952L,     0.3793649550133323778860968L,    1.856933547799236020584598L,
    5.791843775414720774330529L,       11.19390387966507407536881L,     12.242449394211638842118L,
    5.801311035015543194368241L};
constexpr std::array<Ext, 10> erfcInvDenominator3 = {
    1.1951872341390636876002e-13L,    0.000001221485911688049267334664L,
    0.00007303286311863858643001185L, 0.001660811547627522063203354L,
    0.01947267264920190930396861L,    0.1320038176515949570752555L,
    0.5392048652219784822578712L,     1.312837662873525020471397L,
    1.758810177336615122697456L,      1.0L};

// erfcinv(e^(-w^2)) in w: rational fit of degrees 9/9 on [8, 28.0] in s = (w - 18) / 10;
// largest relative error 7.91e-23
constexpr std::array<Ext, 10> erfcInvNumerator4 = {
    0.0007038856354573963783727523L, 0.02565049210842194714436097L, 0.3720177011376034552512127L,
    2.900602319466365770145595L,     13.6481515265500476680068L,    40.69992883251548550640655L,
    77.62109434922812770842513L,     91.91061285426013428944738L,   61.6308957074067704620709L,
    17.90366096685251305185024L};
constexpr std::array<Ext, 10> erfcInvDenominator4 = {
    1.766468469155459445606617e-12L, 0.00007038844439718576141083945L,
    0.002438357832593036705657087L,  0.03281522215037728888457639L,
    0.2310605097626594595751923L,    0.9496464958703503313370924L,
    2.36482646365888390938083L,      3.518872095242807131333054L,
    2.881684134782583888855003L,     1.0L};

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

// The value of a rational fit in s = (v - mid) / half, given 1 / half (a
// product is cheaper than a quotient, and s need not be exact). Each
// polynomial is split into its odd and even powers, each summed by Horner's
// rule in s^2: four independent chains of half the length, whose latencies
// overlap.
template <std::size_t N>
[[gnu::always_inline]] inline Ext scaledRational(const std::array<Ext, N>& num, const std::array<Ext, N>& den,
                                                 Ext v, Ext mid, Ext inverseHalf) {
    const Ext s = (v - mid) * inverseHalf;
    const Ext s2 = s * s;
    Ext pOdd = 0, pEven = 0, qOdd = 0, qEven = 0;
    std::size_t i = 0;
    // An even highest power starts the even chain.
    if constexpr (N % 2 == 1) {
        pEven = num[0];
        qEven = den[0];
        i = 1;
    }
    for (; i < N; i += 2) {
        pOdd = pOdd * s2 + num[i];
        pEven = pEven * s2 + num[i + 1];
        qOdd = qOdd * s2 + den[i];
        qEven = qEven * s2 + den[i + 1];
    }
    return (pOdd * s + pEven) / (qOdd * s + qEven);
}

// The x with erfc(x) = q for 0 < q <= 1/2, from w = sqrt(-ln q). Beyond the
// last fit (q below e^-784, never a double) the first terms of the
// asymptotic series, good to 1e-5, serve the callers that want a start.
Ext erfcInvTail(Ext q) {
    const Ext w = prob::sqrt(-prob::ln(q));
    if (w <= 2)
        return scaledRational(erfcInvNumerator1, erfcInvDenominator1, w, 1.4L, 1 / 0.6L);
    if (w <= 4)
        return scaledRational(erfcInvNumerator2, erfcInvDenominator2, w, 3, 1);
    if (w <= 8)
        return scaledRational(erfcInvNumerator3, erfcInvDenominator3, w, 6, 0.5L);
    if (w <= 28)
        return scaledRational(erfcInvNumerator4, erfcInvDenominator4, w, 18, 0.1L);
    return w - prob::ln(kSqrtPi * w) / (2 * w);
}

// Where the central fit of erfinv ends.
constexpr Ext centralLimit = 0.8L;

// erfinv(y) for |y| <= 0.8.
[[gnu::always_inline]] inline Ext erfInvCentral(Ext y) {
    return y * scaledRational(erfInvSmallNumerator, erfInvSmallDenominator, y * y, 0.32L, 1 / 0.32L);
}

// erfinv(y) for |y| < 1: beyond the central fit through the complement
// 1 - |y|, which is exact there.
[[gnu::always_inline]] inline Ext erfInvCore(Ext y) {
    const Ext a = std::fabs(y);
    if (a <= centralLimit)
        return erfInvCentral(y);
    const Ext x = erfcInvTail(1 - a);
    return y > 0 ? x : -x;
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

Ext standardNormalQuantile(double p) {
    // sqrt(2) erfinv(2p - 1), through the tail that holds p so that
    // probabilities far below 2^-64 keep their quantiles; 1 - 2p and 2p (of
    // a double p) are exact wherever they are used.
    constexpr Ext tailLimit = (1 - centralLimit) / 2;
    if (p >= tailLimit && p <= 1 - tailLimit)
        return -kSqrtTwo * erfInvCentral(1 - 2 * static_cast<Ext>(p));
    if (p < tailLimit)
        return -kSqrtTwo * erfcInvTail(2 * static_cast<Ext>(p));
    return kSqrtTwo * erfcInvTail(2 * (1 - static_cast<Ext>(p)));
}

Ext erfcInv(Ext q) {
    if (q > 0.5L)
        return erfInvCore(1 - q);
    return erfcInvTail(q);
}

Ext erfInv(double y) {
    if (std::fabs(y) <= centralLimit)
        return erfInvCentral(y);
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
