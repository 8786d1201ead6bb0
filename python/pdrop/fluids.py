"""The built-in black-oil fluid, described in plain words."""

from dataclasses import asdict, dataclass, field
from typing import Optional

from . import _pdrop

_Z = {
    "dranchuk-abou-kassem": _pdrop.ZCorrelation.DRANCHUK_ABOU_KASSEM,
    "hall-yarborough": _pdrop.ZCorrelation.HALL_YARBOROUGH,
}
_PB = {
    "standing": _pdrop.BubblePointCorrelation.STANDING,
    "vasquez-beggs": _pdrop.BubblePointCorrelation.VASQUEZ_BEGGS,
}


@dataclass
class BlackOilFluid:
    """A black-oil fluid.

    Attributes:
        gas_gravity: separator gas gravity [air = 1], 0.55 to 1.8.
        oil_api: stock-tank oil gravity [degAPI], 5 to 80.
        water_salinity_wt_pct: total dissolved solids [wt %], 0 to 30.
        water_gravity: water gravity [water = 1]; when given it decides the
            salinity (then leave water_salinity_wt_pct at 0).
        water_yield_bbl_per_MMscf: water the gas carries [bbl/MMscf]; it is taken
            out of the water rate.
        bubble_point_psia: fixed bubble point [psia]; None: from the producing
            gas-oil ratio.
        separator_pressure_psia, separator_temperature_F: separator [psia, degF]
            for the Vasquez & Beggs gas-gravity correction (both or neither).
        z_correlation: "dranchuk-abou-kassem" or "hall-yarborough".
        bubble_point_correlation: "standing" or "vasquez-beggs".
        mode: "black-oil" (the engine splits the standard rates) or "stream"
            (the fluid gives mass and volume rates; used by traverses).

    References: gas z-factor from Sutton's pseudo-criticals (SPE 14265, 1985)
    with Dranchuk & Abou-Kassem (JCPT 14(3), 1975) or Hall & Yarborough (Oil
    & Gas J. 71(25), 1973); gas viscosity Lee, Gonzalez & Eakin (JPT 18, 1966,
    997); bubble point and solution gas Standing (1947) or Vasquez & Beggs
    (JPT 32, 1980, 968); oil viscosity Beggs & Robinson (JPT 27, 1975, 1140),
    above the bubble point Vasquez & Beggs; gas-oil surface tension Baker &
    Swerdloff (Oil & Gas J., 1956); water properties after McCain, Properties
    of Petroleum Fluids (2nd ed., 1990), gas-water tension Jennings & Newman
    (SPEJ 11, 1971).
    """

    gas_gravity: float = 0.65
    oil_api: float = 35.0
    water_salinity_wt_pct: float = 0.0
    water_gravity: Optional[float] = None
    water_yield_bbl_per_MMscf: float = 0.0
    bubble_point_psia: Optional[float] = None
    separator_pressure_psia: Optional[float] = None
    separator_temperature_F: Optional[float] = None
    z_correlation: str = "dranchuk-abou-kassem"
    bubble_point_correlation: str = "standing"
    mode: str = field(default="black-oil")

    def native(self):
        """The C++ description; raises ValueError naming an invalid field."""
        if self.z_correlation not in _Z:
            raise ValueError(f"z_correlation = {self.z_correlation!r} is not one of {sorted(_Z)}")
        if self.bubble_point_correlation not in _PB:
            raise ValueError(
                f"bubble_point_correlation = {self.bubble_point_correlation!r} "
                f"is not one of {sorted(_PB)}"
            )
        if self.mode not in ("black-oil", "stream"):
            raise ValueError(f"mode = {self.mode!r} is not one of 'black-oil', 'stream'")
        f = _pdrop.BlackOilFluid()
        not_set = _pdrop.NOT_SET
        f.gasGravity = float(self.gas_gravity)
        f.oilApi = float(self.oil_api)
        f.waterSalinity = float(self.water_salinity_wt_pct)
        f.waterGravity = not_set if self.water_gravity is None else float(self.water_gravity)
        f.waterYield = float(self.water_yield_bbl_per_MMscf)
        f.bubblePoint = not_set if self.bubble_point_psia is None else float(self.bubble_point_psia)
        f.separatorPressure = (
            not_set if self.separator_pressure_psia is None else float(self.separator_pressure_psia)
        )
        f.separatorTemperature = (
            not_set if self.separator_temperature_F is None else float(self.separator_temperature_F)
        )
        f.zCorrelation = _Z[self.z_correlation]
        f.bubblePointCorrelation = _PB[self.bubble_point_correlation]
        if self.water_gravity is not None and self.water_salinity_wt_pct != 0.0:
            raise ValueError(
                "give one of water_salinity_wt_pct and water_gravity, not both "
                "(the gravity decides the salinity)"
            )
        f.Validate()  # names the fields as here (gas_gravity, oil_api, ...)
        return f

    def phases(self):
        """A fresh, independent set of gas, oil and water phase objects
        (``.gas``, ``.oil``, ``.water``)."""
        return self.native().MakePhases()

    def case_fields(self):
        """The fluid as the ``fluid`` object of a case file."""
        return {k: v for k, v in asdict(self).items() if v is not None}
