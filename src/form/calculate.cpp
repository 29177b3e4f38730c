// 计算: the per-point gains of the expected-damage model for a level-93 boss.
//
// A skill lands as miss (1.1 - M), parried (0.35 - W, a quarter of the
// damage), critical (H, damage x G) or normal hit, in that priority, so the
// expected damage is A * P * R * (1 + J) with R = H(G - 1) + M + 0.75W - 0.3625.
// Hit is capped at 110 %, strain at 35 % and the critical rate at M + W - 0.45.
//
// The working values are held in single precision, and some gains are read
// back from the captions they were written to: the printed digits of every
// result depend on both, so each step keeps its own rounding.
#include "calc/disciplines.h"
#include "form/checkednumbers.h"
#include "form/fields.h"
#include "form/form.h"
#include "form/hastemode.h"

namespace velmora {

namespace {

std::string singleText(double value) {
    return numberText(single(value), Precision::Single);
}

} // namespace

void Form::Command1_Click() {
    run([this] { calculate(); });
}

void Form::calculate() {
    const Discipline* chosen = nullptr;
    for (const FieldId option : field::kDisciplineOptions) {
        if (m_fields.value(option) == 1) {
            chosen = field::disciplineOf(option);
            break;
        }
    }
    if (chosen == nullptr) {
        warn("敢问大侠来自何门何派？", "请选择 门派·心法");
    }

    const double A = single(read(field::attack));
    const double G = single(read(field::criticalEffect) / 100);
    double J = single(read(field::haste) / 100);

    // Hit and strain: over the cap, the cap itself counts; otherwise the
    // typed text is shown as it stands and read back.
    if (read(field::hitRate) > kHitCap) {
        write(field::hitVerdict, "命中溢出");
        write(field::effectiveHit, numberText(kHitCap, Precision::Double));
    } else {
        write(field::hitVerdict, "命中判定");
        write(field::effectiveHit, m_fields.text(field::hitRate));
    }
    const double M = single(read(field::effectiveHit) / 100);

    if (read(field::strain) > kStrainCap) {
        write(field::strainVerdict, "无双溢出");
        write(field::effectiveStrain, numberText(kStrainCap, Precision::Double));
    } else {
        write(field::strainVerdict, "无双判定");
        write(field::effectiveStrain, m_fields.text(field::strain));
    }
    const double W = single(read(field::effectiveStrain) / 100);

    // The critical rate cannot exceed what miss and parry leave over.
    const double criticalRate = read(field::criticalRate);
    const double outcomes = (kHitCap / 100 - M) + (kStrainCap / 100 - W) + criticalRate / 100;
    const double criticalCapFraction = M + W - kCriticalCapOffset / 100;
    if (outcomes > 1) {
        write(field::criticalVerdict, "会心溢出");
        write(field::effectiveCritical, numberText(criticalCapFraction * 100, Precision::Double));
    } else if (criticalCapFraction < 0) {
        // Only a negative critical rate gets here; the verdict stays as it was.
        write(field::effectiveCritical, "0");
    } else {
        write(field::criticalVerdict, "会心判定");
        write(field::effectiveCritical, numberText(criticalRate, Precision::Double));
    }
    const double H = single(read(field::effectiveCritical) / 100);

    const double P = single((read(field::overcome) - kBossDefence) / kOvercomeCoefficient + 1);
    write(field::overcomeFactor, numberText(P, Precision::Single));

    if (!hasteModeOn(m_fields)) {
        J = 0;
    }

    const double R = single((G - 1) * H + M + W * kStrainWeight - 0.3625);

    // A rating point's share of a whole rate: hit and critical 1/4500,
    // critical effect 1/1800, haste 1/5478; strain's 1/3375 at its weight of
    // 0.75 gains what hit does.
    constexpr double strainRatingPerHitUnit = kStrainRatingPerUnit / kStrainWeight;
    static_assert(strainRatingPerHitUnit == kHitRatingPerUnit);
    write(field::attackGain, singleText(R * P * (J + 1)));
    write(field::hitGain,
          captionIs(field::hitVerdict, "命中溢出") ? "0" : singleText(A * P * (J + 1) / kHitRatingPerUnit));
    write(field::criticalGain, captionIs(field::criticalVerdict, "会心溢出")
                                   ? "0"
                                   : singleText(A * P * (G - 1) * (J + 1) / kCriticalRatingPerUnit));
    const double criticalGain = single(read(field::criticalGain));
    write(field::criticalEffectGain, singleText(A * P * H * (J + 1) / kCriticalEffectRatingPerUnit));
    const double criticalEffectGain = single(read(field::criticalEffectGain));
    write(field::overcomeGain, singleText(A * R * (J + 1) / kOvercomeCoefficient));
    const double overcomeGain = single(read(field::overcomeGain));
    write(field::strainGain, captionIs(field::strainVerdict, "无双溢出")
                                 ? "0"
                                 : singleText(A * P * (J + 1) / strainRatingPerHitUnit));
    // Haste is a rough estimate at 75 % of its derivative.
    write(field::hasteGain, numberText(A * P * R * 0.75 / kHasteRatingPerUnit, Precision::Double));

    // One point of the primary attribute, through the discipline's table.
    // The rating terms use the gains as shown, which include (1 + J); the
    // attack term does not.
    if (chosen != nullptr) {
        double gain = R * chosen->attack * P;
        if (chosen->critical != 0) {
            gain = gain + criticalGain * chosen->critical;
        }
        if (chosen->criticalEffect != 0) {
            gain = gain + criticalEffectGain * chosen->criticalEffect;
        }
        if (chosen->overcome != 0) {
            gain = gain + overcomeGain * chosen->overcome;
        }
        write(field::primaryGain, numberText(gain, Precision::Double));
    }

    GainStore gains;
    // The gain store's entries are read from the labels, all but haste's.
    for (std::size_t i = 0; i < gains.texts.size(); ++i) {
        gains.texts[i] = numberText(read(field::kGains[i]), Precision::Double);
    }
    gains.haste = finite(read(field::hasteGain));
    const bool haste = hasteModeOn(m_fields);
    gains.measured = {{read(field::attack), read(field::hitRate), read(field::criticalRate),
                       read(field::criticalEffect), read(field::overcome), read(field::strain),
                       haste ? read(field::haste) : 0},
                      chosen,
                      haste};
    m_gains = std::move(gains);
}

} // namespace velmora
