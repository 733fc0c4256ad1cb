-- The member discount registration (PR_IAI010_01) hands out what is left of
-- a member's use limits, not the limits themselves. The work area's daily
-- and yearly counts are the remaining uses the discount engine counts down
-- on a bill; the limits are the resort's, shared by every terminal, so the
-- uses already stored today (and this year) at that outlet are taken off.
-- Before, every registration started from the full limit: a member limited
-- to one discounted breakfast a day got one at every terminal, and again on
-- every bill.
--
-- A use is a unit of a stored row of the member with a discount: sales
-- count, returns (negative quantities) give the use back, voided rows
-- (sale_yn '*') and amount corrections are no use. A rate's uses leave out
-- the goods the member has a menu price for (those count against the menu
-- price's own limit). Two terminals that register the same member at the
-- same moment still both see the uses left then: the limit is shared from
-- the moment a bill is stored.

CREATE INDEX IF NOT EXISTS sale_member_uses ON sale (member_no, upjang_code, sale_date)
    WHERE member_no IS NOT NULL AND dc_amt <> 0;

-- What is left of a limit after some uses: -1 (no limit) stays -1, and a
-- limit never goes below 0.
CREATE OR REPLACE FUNCTION dc_uses_left(a_limit integer, a_used numeric) RETURNS integer
LANGUAGE sql IMMUTABLE AS $$
    SELECT CASE WHEN a_limit < 0 THEN a_limit ELSE greatest(a_limit - coalesce(a_used, 0), 0)::integer END
$$;

-- The discounted units of a member at an outlet between two dates, under the
-- member's rate (goods with a menu price for the guest type left out).
CREATE OR REPLACE FUNCTION dc_rate_uses(a_member_no text, a_guest_type text, a_upjang_code text, a_from text,
                                        a_to text) RETURNS numeric
LANGUAGE sql STABLE AS $$
    SELECT coalesce(sum(s.sale_qty), 0)
      FROM sale s
     WHERE s.member_no = a_member_no AND s.upjang_code = a_upjang_code
       AND s.sale_date BETWEEN a_from AND a_to
       AND s.dc_amt <> 0 AND s.sale_yn <> '*' AND s.correct_yn IS DISTINCT FROM 'Y'
       AND NOT EXISTS (SELECT FROM member_dc_menu d
                        WHERE d.guest_type = a_guest_type AND d.upjang_code = s.upjang_code
                          AND d.menu_code = s.menu_code)
$$;

-- The discounted units of one goods of a member at an outlet on a day.
CREATE OR REPLACE FUNCTION dc_menu_uses(a_member_no text, a_upjang_code text, a_menu_code text, a_date text)
RETURNS numeric
LANGUAGE sql STABLE AS $$
    SELECT coalesce(sum(s.sale_qty), 0)
      FROM sale s
     WHERE s.member_no = a_member_no AND s.upjang_code = a_upjang_code AND s.sale_date = a_date
       AND s.menu_code = a_menu_code
       AND s.dc_amt <> 0 AND s.sale_yn <> '*' AND s.correct_yn IS DISTINCT FROM 'Y'
$$;

CREATE OR REPLACE FUNCTION PR_IAI010_01(
    ASALE_DATE text, AUPJANG_CODE text, APOS_NO text, AMEMBER_NO text, ASALE_YN text, AKEYIN_YN text,
    OUT AREMARKS text, OUT ACAN_SALE_YN text)
LANGUAGE plpgsql AS $$
DECLARE
    v_member  member%ROWTYPE;
    v_kind    member_code%ROWTYPE;
    v_stop    text;
    v_keyin   char(1) := CASE WHEN AKEYIN_YN = 'Y' THEN 'Y' ELSE 'N' END;
    v_outlets text[];
    v_added   integer;
    v_menus   integer;
BEGIN
    ACAN_SALE_YN := 'Y';
    IF coalesce(ASALE_DATE, '') !~ '^[0-9]{8}$' OR coalesce(AUPJANG_CODE, '') = '' OR coalesce(APOS_NO, '') = '' THEN
        RAISE EXCEPTION 'PR_IAI010_01: sale date, outlet and POS are required'
            USING ERRCODE = 'invalid_parameter_value';
    END IF;
    IF coalesce(AMEMBER_NO, '') = '' THEN
        AREMARKS := '우대번호가 없습니다.';
        RETURN;
    END IF;

    SELECT * INTO v_member FROM member WHERE member_no = AMEMBER_NO;
    IF NOT FOUND THEN
        AREMARKS := '등록되지 않은 우대번호입니다.';
        RETURN;
    END IF;
    IF v_member.cancel_date IS NOT NULL THEN
        AREMARKS := '해약된 우대번호입니다.';
        RETURN;
    END IF;
    IF NOT (v_member.valid_from <= ASALE_DATE AND ASALE_DATE <= v_member.valid_to) THEN
        AREMARKS := '사용 유효기간이 지난 우대번호입니다.';
        RETURN;
    END IF;
    SELECT * INTO v_kind FROM member_code WHERE member_code = v_member.member_code;
    IF v_keyin = 'Y' AND FOUND AND v_kind.keyin_yn = 'N' THEN
        AREMARKS := '키보드로 입력할 수 없는 우대번호입니다.';
        RETURN;
    END IF;

    -- A return (ASALE_YN 'N') gives money back and is never stopped. The
    -- card restrictions are the lift's own: only a POS of the lift outlet
    -- refuses a member whose sports facilities are stopped, and not when the
    -- lift sells to special members unchecked. Overdue fees stop the sale at
    -- every outlet. The texts are those of the terminal's own restriction
    -- check.
    IF coalesce(ASALE_YN, 'Y') <> 'N' THEN
        IF AUPJANG_CODE = pos_lift_upjang_code()
           AND coalesce((SELECT u.special_member_sale_yn FROM upjang u WHERE u.upjang_code = AUPJANG_CODE), 'N') <> 'Y'
           AND EXISTS (SELECT FROM member_black_list b
                        WHERE b.member_no = v_member.member_no AND b.black_kind = 'Y'
                          AND b.valid_from <= ASALE_DATE AND ASALE_DATE <= b.valid_to) THEN
            v_stop := E'스포츠시설 카드사용이 중지된 회원 입니다.\r [회원팀]에 안내하십시오.';
        ELSIF EXISTS (SELECT FROM member_overdue o
                       WHERE o.member_no = v_member.member_no AND o.overdue_from <= ASALE_DATE
                         AND (o.cleared_date IS NULL OR o.cleared_date > ASALE_DATE)) THEN
            v_stop := E'연체회원에게는 판매할 수 없습니다.\r회원팀에 문의하십시오.';
        END IF;
    END IF;
    IF v_stop IS NOT NULL THEN
        AREMARKS := v_stop;
        ACAN_SALE_YN := 'N';
        RETURN;
    END IF;

    -- The POS's own outlet and the further outlets this POS sells for.
    SELECT array_agg(DISTINCT o.upjang_code) INTO v_outlets FROM pos_upjangs(AUPJANG_CODE, APOS_NO) o;

    DELETE FROM dc_member_work
     WHERE upjang_code = AUPJANG_CODE AND pos_no = APOS_NO AND accept_member_no = AMEMBER_NO;
    DELETE FROM dc_menu_work
     WHERE upjang_code = AUPJANG_CODE AND pos_no = APOS_NO AND accept_member_no = AMEMBER_NO;

    INSERT INTO dc_member_work (upjang_code, pos_no, multi_upjang_code, accept_member_no, seq, member_no,
                                member_add_no, id_no, member_name, member_code, guest_type, daeso_gubun, dc_rate,
                                once_use_count, daily_use_count, yearly_use_count, remark, keyin_yn)
    SELECT AUPJANG_CODE, APOS_NO, r.upjang_code, AMEMBER_NO,
           row_number() OVER (PARTITION BY r.upjang_code ORDER BY r.daeso_gubun, r.valid_from),
           v_member.member_no, '', v_member.id_no, v_member.member_name, v_member.member_code, v_member.guest_type,
           r.daeso_gubun, r.dc_rate,
           r.once_use_count,
           dc_uses_left(r.daily_use_count, dc_rate_uses(v_member.member_no, v_member.guest_type, r.upjang_code,
                                                       ASALE_DATE, ASALE_DATE)),
           dc_uses_left(r.yearly_use_count, dc_rate_uses(v_member.member_no, v_member.guest_type, r.upjang_code,
                                                        left(ASALE_DATE, 4) || '0101', ASALE_DATE)),
           r.remark, v_keyin
      FROM member_dc_rate r
     WHERE r.guest_type = v_member.guest_type AND r.upjang_code = ANY (v_outlets)
       AND r.valid_from <= ASALE_DATE AND ASALE_DATE <= r.valid_to;
    GET DIAGNOSTICS v_added = ROW_COUNT;

    INSERT INTO dc_menu_work (upjang_code, pos_no, multi_upjang_code, accept_member_no, seq, menu_code, season_code,
                              business_gubun, member_no, member_add_no, id_no, member_name, member_code, guest_type,
                              daeso_gubun, dc_amt, once_use_count, daily_use_count, keyin_yn)
    SELECT AUPJANG_CODE, APOS_NO, d.upjang_code, AMEMBER_NO,
           row_number() OVER (PARTITION BY d.upjang_code, d.menu_code ORDER BY d.season_code, d.business_gubun,
                                                                             d.daeso_gubun, d.valid_from),
           d.menu_code, d.season_code, d.business_gubun, v_member.member_no, '', v_member.id_no, v_member.member_name,
           v_member.member_code, v_member.guest_type, d.daeso_gubun, d.dc_amt, d.once_use_count,
           dc_uses_left(d.daily_use_count, dc_menu_uses(v_member.member_no, d.upjang_code, d.menu_code, ASALE_DATE)),
           v_keyin
      FROM member_dc_menu d
     WHERE d.guest_type = v_member.guest_type AND d.upjang_code = ANY (v_outlets)
       AND d.valid_from <= ASALE_DATE AND ASALE_DATE <= d.valid_to;
    GET DIAGNOSTICS v_menus = ROW_COUNT;

    AREMARKS := CASE WHEN v_added + v_menus = 0 THEN '현재 영업장에서 적용할 우대할인이 없습니다.' END;
END
$$;
