-- The member discount registration (PR_IAI010_01), replacing the one of
-- 0016 on two points:
-- - the discounts are copied for the outlets this POS sells for
--   (pos_upjangs), not for every outlet that happens to have a POS of the
--   same number;
-- - a member whose sports facilities are stopped (black list 'Y') is refused
--   only at the lift, as the terminal's own restriction check does; an
--   overdue member is refused everywhere.

-- The ski lift outlet: the "UpjangLift" of the terminals' code table. The
-- card restrictions of the black list apply at its POS terminals only.
CREATE OR REPLACE FUNCTION pos_lift_upjang_code() RETURNS text
LANGUAGE sql IMMUTABLE AS $$ SELECT '5001'::text $$;

-- Registers a member for the bill being rung up at one POS: the member's
-- discounts at the outlets the POS sells for are copied into the discount
-- work area (replacing an earlier registration of the same member).
-- AREMARKS: a notice for the cashier; ACAN_SALE_YN 'N': the member must not
-- be sold to.
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
           r.once_use_count, r.daily_use_count, r.yearly_use_count, r.remark, v_keyin
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
           v_member.member_code, v_member.guest_type, d.daeso_gubun, d.dc_amt, d.once_use_count, d.daily_use_count, v_keyin
      FROM member_dc_menu d
     WHERE d.guest_type = v_member.guest_type AND d.upjang_code = ANY (v_outlets)
       AND d.valid_from <= ASALE_DATE AND ASALE_DATE <= d.valid_to;
    GET DIAGNOSTICS v_menus = ROW_COUNT;

    AREMARKS := CASE WHEN v_added + v_menus = 0 THEN '현재 영업장에서 적용할 우대할인이 없습니다.' END;
END
$$;
